#pragma once

// The one request counter shared by every sender of the plug-in. It starts at
// the load time in seconds since 1970, so ids of two runs rarely meet. Only the
// GUI thread touches it.
extern int g_requestId;

// Pre-increments the counter and returns the new id. After the largest int the
// counter wraps to the smallest instead of overflowing.
int NextRequestId();
