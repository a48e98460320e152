#include "viewer/imaging/DesktopEntry.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <set>

namespace lumora {

namespace {

// Desktop files are small; anything larger is not one and is not read in full.
constexpr qint64 kMaxDesktopFileSize = 1 << 20;

// The escapes of a string value: \s \n \t \r \\ (others are kept as they are).
QString UnescapeValue(const QString& value) {
    QString result;
    result.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != '\\' || i + 1 == value.size()) {
            result += c;
            continue;
        }
        const QChar next = value[++i];
        if (next == 's') result += ' ';
        else if (next == 'n') result += '\n';
        else if (next == 't') result += '\t';
        else if (next == 'r') result += '\r';
        else if (next == '\\') result += '\\';
        else result += c, result += next;
    }
    return result;
}

// A list value: items end with ";", "\;" is a ";" inside an item.
QStringList SplitList(const QString& value) {
    QStringList items;
    QString current;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == ';') {
            current += ';';
            ++i;
        } else if (value[i] == ';') {
            if (!current.trimmed().isEmpty()) items << current.trimmed();
            current.clear();
        } else {
            current += value[i];
        }
    }
    if (!current.trimmed().isEmpty()) items << current.trimmed();
    return items;
}

bool IsTrue(const QString& value) { return value == QLatin1String("true"); }

// "de_DE.UTF-8@euro" as the names a localised key may carry, best first: de_DE@euro, de_DE,
// de@euro, de.
QStringList LocaleKeys(const QString& locale) {
    QString rest = locale;
    QString modifier;
    if (const qsizetype at = rest.indexOf('@'); at >= 0) {
        modifier = rest.mid(at);
        rest.truncate(at);
    }
    if (const qsizetype dot = rest.indexOf('.'); dot >= 0) rest.truncate(dot);
    if (rest.isEmpty() || rest == QLatin1String("C") || rest == QLatin1String("POSIX")) return {};
    const QString language = rest.section('_', 0, 0);
    QStringList keys;
    const auto add = [&keys](const QString& key) {
        if (!keys.contains(key)) keys << key;
    };
    if (!modifier.isEmpty()) add(rest + modifier);
    add(rest);
    if (!modifier.isEmpty()) add(language + modifier);
    add(language);
    return keys;
}

bool Executable(const QString& program) {
    if (program.contains('/')) {
        const QFileInfo file(program);
        return file.isFile() && file.isExecutable();
    }
    return !QStandardPaths::findExecutable(program).isEmpty();
}

}  // namespace

std::optional<DesktopEntry> ParseDesktopEntry(const QString& text, const QString& id, const QString& locale) {
    QHash<QString, QString> values;
    bool inEntry = false;
    bool sawEntry = false;
    for (QStringView line : QStringView(text).split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        if (line.startsWith('[')) {
            if (inEntry) break;  // the group ends where the next one starts
            inEntry = line == QLatin1String("[Desktop Entry]");
            sawEntry = sawEntry || inEntry;
            continue;
        }
        if (!inEntry) continue;
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0) continue;
        const QString key = line.left(equals).trimmed().toString();
        // The first of repeated keys counts.
        if (!values.contains(key)) values.insert(key, line.mid(equals + 1).trimmed().toString());
    }
    if (!sawEntry || values.value(QStringLiteral("Type")) != QLatin1String("Application")) return std::nullopt;
    if (IsTrue(values.value(QStringLiteral("Hidden")))) return std::nullopt;

    DesktopEntry entry;
    entry.id = id;
    entry.exec = UnescapeValue(values.value(QStringLiteral("Exec")));
    if (entry.exec.trimmed().isEmpty()) return std::nullopt;
    entry.name = UnescapeValue(values.value(QStringLiteral("Name")));
    for (const QString& key : LocaleKeys(locale)) {
        const QString localised = values.value(QStringLiteral("Name[%1]").arg(key));
        if (!localised.isEmpty()) {
            entry.name = UnescapeValue(localised);
            break;
        }
    }
    if (entry.name.isEmpty()) entry.name = id;
    entry.icon = UnescapeValue(values.value(QStringLiteral("Icon")));
    entry.tryExec = UnescapeValue(values.value(QStringLiteral("TryExec")));
    entry.mimeTypes = SplitList(values.value(QStringLiteral("MimeType")));
    entry.noDisplay = IsTrue(values.value(QStringLiteral("NoDisplay")));
    entry.terminal = IsTrue(values.value(QStringLiteral("Terminal")));
    return entry;
}

bool DesktopEntryHandles(const DesktopEntry& entry, const QString& mimeType, const QStringList& ancestors) {
    QStringList wanted{mimeType};
    wanted << ancestors;
    for (const QString& declared : entry.mimeTypes) {
        for (const QString& type : wanted) {
            if (declared.compare(type, Qt::CaseInsensitive) == 0) return true;
            // "image/*": every type of the family.
            if (declared.endsWith(QLatin1String("/*")) &&
                type.startsWith(declared.left(declared.size() - 1), Qt::CaseInsensitive))
                return true;
        }
    }
    return false;
}

QStringList ExpandDesktopExec(const DesktopEntry& entry, const QString& filePath, const QString& entryPath) {
    QStringList arguments;
    QString current;
    bool inArgument = false;  // something was written to `current`, or a quote opened it
    bool quoted = false;
    bool fileGiven = false;
    bool programFromCode = false;  // the program itself would come from a field code
    bool currentFromCode = false;
    const QString& exec = entry.exec;
    const auto finish = [&] {
        if (arguments.isEmpty() && currentFromCode) programFromCode = true;
        if (inArgument) arguments << current;
        current.clear();
        inArgument = false;
        currentFromCode = false;
    };
    const auto append = [&](const QString& text) {
        current += text;
        currentFromCode = true;
        if (!text.isEmpty()) inArgument = true;
    };
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == '"') {
                quoted = false;
            } else if (c == '\\' && i + 1 < exec.size() && QStringView(u"\"`$\\").contains(exec[i + 1])) {
                current += exec[++i];
            } else {
                current += c;
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
            inArgument = true;
        } else if (c == ' ' || c == '\t' || c == '\n') {
            finish();
        } else if (c == '%') {
            if (i + 1 == exec.size()) return {};
            const QChar code = exec[++i];
            switch (code.unicode()) {
                case 'f': case 'F': case 'u': case 'U':
                    append(filePath);
                    fileGiven = true;
                    break;
                case 'i':
                    if (entry.icon.isEmpty()) break;
                    // Standing alone, it is two arguments.
                    if (!inArgument && (i + 1 == exec.size() || exec[i + 1] == ' ')) {
                        if (arguments.isEmpty()) return {};
                        arguments << QStringLiteral("--icon") << entry.icon;
                    } else {
                        append(entry.icon);
                    }
                    break;
                case 'c': append(entry.name); break;
                case 'k': append(entryPath); break;
                case '%': append(QStringLiteral("%")); break;
                case 'd': case 'D': case 'n': case 'N': case 'v': case 'm': currentFromCode = true; break;
                default: return {};
            }
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (quoted) return {};
    finish();
    if (arguments.isEmpty() || arguments.first().isEmpty() || programFromCode) return {};
    if (!fileGiven) arguments << filePath;
    return arguments;
}

QStringList DesktopApplicationFolders() {
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty()) home = QDir::homePath() + QStringLiteral("/.local/share");
    QStringList dataFolders{home};
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty()) dirs = QStringLiteral("/usr/local/share/:/usr/share/");
    for (const QString& dir : dirs.split(':', Qt::SkipEmptyParts)) dataFolders << dir;
    QStringList folders;
    for (QString dir : dataFolders) {
        while (dir.size() > 1 && dir.endsWith('/')) dir.chop(1);
        const QString folder = dir + QStringLiteral("/applications");
        if (!folders.contains(folder)) folders << folder;
    }
    return folders;
}

std::vector<InstalledApplication> ApplicationsFor(const QString& mimeType, const QStringList& ancestors,
                                                  const QStringList& folders, const QString& locale) {
    std::vector<InstalledApplication> found;
    std::set<QString> seen;
    for (const QString& folder : folders) {
        const QDir base(folder);
        QDirIterator files(folder, {QStringLiteral("*.desktop")}, QDir::Files | QDir::Readable,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QString id = base.relativeFilePath(path).replace('/', '-');
            // A file of the same id in a folder that comes first hides this one, even when it
            // is hidden itself.
            if (!seen.insert(id).second) continue;
            QFile file(path);
            if (file.size() > kMaxDesktopFileSize || !file.open(QIODevice::ReadOnly)) continue;
            std::optional<DesktopEntry> entry = ParseDesktopEntry(QString::fromUtf8(file.readAll()), id, locale);
            if (!entry || !DesktopEntryHandles(*entry, mimeType, ancestors)) continue;
            // A program for a terminal would need one to run in; the viewer starts none.
            if (entry->terminal) continue;
            if (!entry->tryExec.isEmpty() && !Executable(entry->tryExec)) continue;
            found.push_back({std::move(*entry), path});
        }
    }
    std::sort(found.begin(), found.end(), [](const InstalledApplication& a, const InstalledApplication& b) {
        const int order = a.entry.name.localeAwareCompare(b.entry.name);
        return order != 0 ? order < 0 : a.entry.id < b.entry.id;
    });
    return found;
}

}  // namespace lumora
