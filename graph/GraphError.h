#pragma once
// Raised when a graph body read from a stream is not a valid graph (duplicate
// ids, a branch joining a node to itself, impossible values). The document
// reader turns it into its "Error loading " message.

#include <stdexcept>

class EGraphError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
