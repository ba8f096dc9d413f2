// One run of orb_client: one connection, the requests sent one after the
// other (each waits for the reply to the one before), every reply line
// printed, and the exit status the replies add up to.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "client/client_options.h"

enum client_status : int {
    every_reply_ok = 0,
    a_reply_failed = 1, // a reply began "fail", "No closing )" or anything but "ok"
    talk_failed = 2,    // no connection, the server closed it, no reply in time,
                        // or a request longer than the server takes
};

// The next request, or nothing when there are no more.
using request_source = std::function<std::optional<std::string>()>;

// Sends "play" first when asked, then every request of `next_request`;
// replies go to `out`, what went wrong to `err`.
client_status run_client(const client_options& options, const request_source& next_request, std::ostream& out,
                         std::ostream& err);
