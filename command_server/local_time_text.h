// The current local time as the status log shows it, "hh:mm:ss.zzz".
#pragma once

#include <string>

std::string local_time_text();
