// Controls that only show something: an image from the program's resources,
// named, and a filled shape painted in the control's colour.
#pragma once

#include <string>

#include "forms/control.h"

namespace forms {

class image : public control {
public:
    explicit image(std::string name = {}, control* parent = nullptr)
        : control(control_kind::image, std::move(name), parent) {}

    // The resource name of the picture; the view loads it.
    const std::string& picture() const { return picture_; }
    void set_picture(std::string picture) {
        if (picture == picture_) return;
        picture_ = std::move(picture);
        changed(change::value);
    }

private:
    std::string picture_;
};

enum class shape_type { rectangle, circle };

class shape : public control {
public:
    explicit shape(std::string name = {}, control* parent = nullptr)
        : control(control_kind::shape, std::move(name), parent) {}

    shape_type type() const { return type_; }
    void set_type(shape_type type) {
        if (type == type_) return;
        type_ = type;
        changed(change::value);
    }

private:
    shape_type type_ = shape_type::rectangle;
};

} // namespace forms
