// The platform's private records (surfaces, sound buffers), its backend
// seam and its key sampler, for the tests that look inside them or hold
// keys down without a flip.
#pragma once

#include "platform/audio/mixer.h"
#include "platform/backend.h"
#include "platform/input/key_sampler.h"
#include "platform/shell/run.h"
#include "platform/win32/key_sample.h"
#include "platform/win32/records.h"
#include "platform/win32/window_queue.h"

// What the game never asks but tests do: whether a buffer plays, and the
// paper colour of opaque text.
inline bool BufferPlaying(const DSBuffer* buffer) { return buffer->voice.playing; }
inline void SetPaperColour(HDC dc, COLORREF colour) { dc->bkColour = colour; }
