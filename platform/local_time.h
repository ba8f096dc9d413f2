// The local date and time, as the logs show them.
#pragma once

#include <string>

// "hh:mm:ss.zzz", the time stamp of every log line.
std::string local_time_text();
// The locale's date and time, as a log file's first line gives them.
std::string local_date_time_text();
// The local date and time as a day count from 30 December 1899.
double local_day_count();
