#include "news/UUpdateAddress.h"

std::string DefaultUpdateBaseURL()
{
    return "http://" TASKWREN_UPDATE_HOST "/liveupdate/taskwren/";
}
