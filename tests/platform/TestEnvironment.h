#pragma once
// Every platform test runs with its home, configuration and system settings
// folders inside one temporary folder, and with an application object.

#include <string>

// The temporary folder standing in for the machine (ends in "/").
const std::string& TestRoot();
// The fake home folder inside it (ends in "/").
std::string TestHome();
