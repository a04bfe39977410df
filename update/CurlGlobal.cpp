#include "CurlGlobal.h"

#include <curl/curl.h>

#include <mutex>

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}
