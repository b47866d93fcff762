// A failure the user can act on. Its text is one line, ready to print.
#pragma once

#include <stdexcept>

namespace vhost {

class HostError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace vhost
