// The validity test of answer templates ("$valid=1$", "$valid!#$",
// "$valid>=5$"): a number or text comparison of a condition with the answer.
#pragma once

#include <string>

// condition is the placeholder name after "valid" and must not be empty.
// remaining is what is left of the answer; the test removes what it read
// (and what it skipped) from its front.
bool answer_is_valid(std::string condition, std::string& remaining);
