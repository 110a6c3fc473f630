#pragma once
// Where the publisher's update directory lies: a setting of the build.

#include <string>

// "http://" + the build's update host + "/liveupdate/taskwren/".
std::string DefaultUpdateBaseURL();
