// The host's own IPv4 addresses, as the network panel offers them for binding.
#pragma once

#include <string>
#include <vector>

// Dotted addresses in the order the system lists its interfaces.
std::vector<std::string> host_ipv4_addresses();
