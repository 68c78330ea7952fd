// Internal to the image core: the reason behind the last failed read or
// write, which IMGFailureReason hands out.
#pragma once

// Records a reason: a string literal, strerror's text or a static buffer,
// which must stay unchanged until the next failure.
void imgFail(const char *reason);
