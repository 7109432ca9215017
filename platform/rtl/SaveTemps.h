#pragma once
// The temporary files of atomic saves.  A save writes
// ".<name>.quorvytmp-XXXXXX" beside the file it replaces and renames it over
// that file; where that would not fit in the limits on names and paths,
// <name> is cut short on a character boundary.  A crash or a kill in between
// leaves the temporary file behind, often a partial copy of personal data.
// The writer holds an exclusive lock on its temporary file from the moment
// it exists until after the rename, so a file of that name that nobody holds
// was abandoned by a writer that is gone.
//
// "quorvytmp-" is the mark that tells our temporary files from others'.
// Without it, ".<name>.XXXXXX" is also how rsync names a file it is still
// receiving, and how a user may name a copy (".Familie.quorvy.kopie1"); those
// are never touched.  Temporary files that versions without the mark left
// behind cannot be told from them, so they stay too.
#include "platform/rtl/System.h"

#include <QByteArray>

// The file a save of FileName replaces: the file a symbolic link names,
// else FileName itself.
String SaveTarget(const String& FileName);

// Creates and locks a new temporary file beside Target (mode 0600 until the
// caller sets the target's) and returns its descriptor, its name in Temp.
// The caller keeps the descriptor open until the file has been renamed or
// removed.  -1 with errno set on failure.
int CreateSaveTemp(const String& Target, QByteArray& Temp);

// Removes the temporary files that earlier saves of FileName (or of the
// file its link names) abandoned: regular files of our own named exactly as
// a save names them, the mark included, with no other link, that no writer
// holds.  Where the file system has no locks, only files untouched for
// longer than any save could take (a day) count as abandoned.  Names cut
// short make saves of files whose long names begin alike share one prefix,
// so each may remove the other's leftovers too: still only abandoned
// temporary files, by the same rules, never a file a writer holds.  Never
// fails; what cannot be removed stays.  Saves call this before they write;
// readers of files that are saved this way call it when they open the file.
void RemoveAbandonedTempFiles(const String& FileName);
