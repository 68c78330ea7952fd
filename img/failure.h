// Internal to the image core: the reason behind the last failed read or
// write, which IMGFailureReason hands out.
#pragma once

// Records a fixed reason (a string literal or strerror text).
void imgFail(const char *reason);
// Records a reason formatted like printf; it is cut at 160 bytes.
void imgFailFormatted(const char *format, ...) __attribute__((format(printf, 1, 2)));
