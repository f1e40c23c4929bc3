// The lookup of a data file by its bare name: a loose file first, then the archives ONLY.ONE,
// DATA.ONE, AUDIO.ONE and VIDEO.ONE, last the directory tree below the current directory. Every
// reader addresses its data as EntryOffset plus its own offsets, so one reader serves a loose file
// and an archive entry alike.
#pragma once

#include <cstdint>
#include <cstdio>

// Where the data of the most recent open lies in the opened file: the entry's offset and size for
// an archive entry, 0 and the file's length for a loose file; both 0 after a failed open. Read
// them directly after the call, before any other data file is opened.
extern uint32_t EntryOffset;
extern uint32_t EntrySize;
// Set by FindFileInTree when it finds the file; cleared by OpenDataFile before a tree search.
extern bool TreeFileFound;

// An open read-only binary handle positioned at EntryOffset, or null. The caller closes it.
FILE* OpenDataFile(const char* name);
// The name looked up in one archive: its handle positioned at the entry's data, or null.
FILE* OpenArchiveEntry(const char* archiveName, const char* name);
// Depth-first search below directory for a file whose bare name equals the name in buffer (which
// holds 1024 bytes). On a find the buffer receives the path found, all lower case and with "\"
// separators (".\pics\spiel.pix"), and TreeFileFound is set. A folder reached again through a
// link is not searched twice.
void FindFileInTree(const char* directory, char* buffer);
// The whole data file (EntrySize bytes) in a buffer from std::malloc that the caller releases with
// std::free, or null after the "Error reading file" box. A zero-length file gives a valid buffer.
uint8_t* ReadDataFile(const char* name);
