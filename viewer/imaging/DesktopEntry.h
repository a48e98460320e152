#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace lumora {

// An installed application as its desktop entry file describes it: what "Open With" offers.
struct DesktopEntry {
    QString id;        // "org.example.Viewer.desktop"; sub-folders joined with "-"
    QString name;      // in the user's language when the file has it
    QString exec;      // the command line with its field codes, unescaped
    QString icon;
    QString tryExec;
    QStringList mimeTypes;
    bool noDisplay = false;
    bool terminal = false;
};

// Reads the [Desktop Entry] group of a desktop file: an application with a command line, or
// nothing (another type, Hidden, no Exec, no such group). `locale` chooses Name[xx_YY] or
// Name[xx] over Name ("de_DE", "C").
std::optional<DesktopEntry> ParseDesktopEntry(const QString& text, const QString& id, const QString& locale = {});

// Whether the entry opens files of `mimeType`, or of one of its `ancestors` (the types it is a
// kind of), or of a whole family ("image/*").
bool DesktopEntryHandles(const DesktopEntry& entry, const QString& mimeType, const QStringList& ancestors = {});

// The program and its arguments for opening `filePath` with the entry's command line: quoted
// arguments and their escapes resolved, %f %F %u %U replaced by the path (local files may go
// as paths for URLs), %i by "--icon" and the icon, %c by the name, %k by `entryPath`, %% by %,
// the retired codes dropped. A command line without a file code gets the path at the end.
// Empty for a command line that cannot be read (an open quote, an unknown code, no program, or
// a program named by a field code, which would run the file itself).
QStringList ExpandDesktopExec(const DesktopEntry& entry, const QString& filePath, const QString& entryPath = {});

// The folders desktop files are installed in, most important first: $XDG_DATA_HOME/applications
// (~/.local/share by default) then each of $XDG_DATA_DIRS (/usr/local/share:/usr/share).
QStringList DesktopApplicationFolders();

struct InstalledApplication {
    DesktopEntry entry;
    QString path;  // the desktop file
};

// The applications in `folders` that open `mimeType` (or one of its `ancestors`), each id once
// (the first folder wins, so a user's own file hides the system's), sorted by name. Entries
// whose TryExec program is not installed, and programs that run in a terminal, are left out.
std::vector<InstalledApplication> ApplicationsFor(const QString& mimeType, const QStringList& ancestors,
                                                  const QStringList& folders, const QString& locale = {});

}  // namespace lumora
