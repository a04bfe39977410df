#pragma once

// libcurl's process-wide set-up, done once before the first transfer of any of the update service's clients.
void InitCurlOnce();
