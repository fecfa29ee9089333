// SPDX-License-Identifier: MIT
// Packs shared as links: a pack's stage files and pack.txt, and perhaps the
// run that clears them, in one small archive deflated into the fragment of
// a web address (BASE#pack=DATA), as runs are (run_link.h): our own deflater,
// so the desktop and the page make the very same link of the same pack.
// Pictures and sounds stay out: a link is for stages.
//
// The archive, before deflating, is text lines with the files' bytes
// between them:
//   twinworlds-pack 1
//   id NAME                  the pack's folder name (packs.h)
//   file PATH LENGTH         then LENGTH bytes and a line break; pack.txt
//   ...                      first, then the stage files by their keys
//   run LENGTH               optional: an input file recorded on the pack
//   end
// A path is "pack.txt" or one of the game's stage files ("stage/Magic1234.txt",
// any case), and obeys the pack rules (PackPathFault): a link never leads
// out of the folder it is opened in.
#pragma once

#include <string>
#include <vector>

// What sets a pack apart in an address: BASE#pack=DATA.
constexpr const char* PackLinkMark = "#pack=";
constexpr int PackLinkVersion = 1;

struct PackLinkFile {
  std::string path;  // the game's own name for it ("stage/Magic1234.txt", "pack.txt")
  std::string bytes;
};

struct PackLink {
  std::string id;
  std::vector<PackLinkFile> files;  // pack.txt, then the stage files
  std::string run;                  // the text of an input file; "" for none
};

// The archive of a link, and the link itself.
std::string PackLinkPayload(const PackLink& link);
std::string PackLinkText(const PackLink& link, const std::string& base);
// False with why, a phrase after "the link" ("is cut short", "carries 'x'
// twice") when the bytes are not a whole archive a pack can come from; the
// files' contents are for their own readers to judge, but pack.txt and
// the run must read as such.
bool ReadPackLinkPayload(const std::string& payload, PackLink* out, std::string* why);

bool IsPackLink(const std::string& text);
// The pack a link carries; the error says what is wrong with it. (Each
// build inflates with its own inflater; the page reads links itself.)
bool PackLinkFromText(const std::string& text, PackLink* out, std::string* why);

// What of a pack folder a link carries: its pack.txt and stage files, read
// now; `leftOut` gets the number of its other data files (pictures,
// sounds, music). False with why when the folder is not a pack or has no
// stage file.
bool PackLinkOfFolder(const std::string& folder, PackLink* out, int* leftOut, std::string* why);
// A pack folder and a run's text ("" none) as a link, as they stand: no
// check beyond the pack rules (the editor's own checks, or --share-pack's,
// come first). The run is carried as given.
bool MakePackLink(const std::string& folder, const std::string& runText, const std::string& base, std::string* link,
                  std::string* why);

// Writes the link's files into `folder` (made, with stage/, when missing;
// files of those names there are replaced). `written` gets each file
// written, by its path, so that they can be taken away again.
bool WritePackLinkFiles(const PackLink& link, const std::string& folder, std::vector<std::string>* written,
                        std::string* why);

// The input file's text with its header naming the pack (`id`, `hash`):
// version 2 with "pack HASH ID" in place of what the file said of its
// pack; the lines and comments after it kept.
std::string RunTextOnPack(const std::string& runText, const std::string& id, const std::string& hash);
// The hash a pack of these files would have (PackHash): their keys, as the
// game names them in lower case, in order. pack.txt is not in it.
std::string PackLinkHash(const PackLink& link);
