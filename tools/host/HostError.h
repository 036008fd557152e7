// Failures the host reports as a single line on stderr before exiting non-zero.
#pragma once

#include <stdexcept>

class HostError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A mistake in the command line or in what it asks of the effect; exits with status 2.
class UsageError : public HostError {
  public:
    using HostError::HostError;
};
