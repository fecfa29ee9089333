// SPDX-License-Identifier: MIT
// The stage editor's play-test as a recording: its keys from its first
// frame kept in memory, and made into an input file that plays the same
// game from a fresh start on the pack (the title's Enter, then the
// play-test's keys), so that a shared link can carry it and be checked by
// any build. And the recording of a run that edits: it names no pack, since
// the pack's files change under it.
#pragma once

#include <string>

// The run's keys from the sample the play-test's first frame reads.
void StartPlayTestRun();
// Its lines so far, and no more kept.
std::string EndPlayTestRun();
// The input file of a run on the pack in `folder` (its id `id`): version 2
// with the pack's hash as its files are now, the title's Enter, then the
// play-test's lines. "" when the pack cannot be read.
std::string PlayTestRunText(const std::string& lines, const std::string& folder, const std::string& id);
// The recording (--record) says it was made on no pack.
void RecordingNamesNoPack();
