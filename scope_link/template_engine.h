// The template engine of the command definitions: argument templates turn a
// number into the text appended to a command, answer templates read the
// scope's answer into the operation's result object. Failures come back as
// texts starting with "fail"; nothing is thrown.
#pragma once

#include <string>
#include <string_view>

struct configuration_settings;
struct tscope_object;

// The text to append to a command, or a failure text. A coordinate
// placeholder stores the value in the result object.
std::string format_argument(std::string_view pattern, std::string_view value_text,
                            tscope_object& result, const configuration_settings& settings);

// The decoded answer, or a failure text. A coordinate placeholder stores the
// coordinate it reads in the result object. Each placeholder reads from the
// front of what the placeholders before it left of the answer.
std::string decode_answer(std::string_view pattern, std::string_view answer,
                          tscope_object& result, const configuration_settings& settings);
