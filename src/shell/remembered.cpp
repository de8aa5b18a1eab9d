// The settings kept between runs, and the desktop's recently used list (see the header).
#include "shell/remembered.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cstdio>

#include <unistd.h>

#include "shell/paper_state.h"

namespace {

constexpr char kRecentKey[] = "documents/recent";
constexpr char kGeometryKey[] = "window/geometry";
constexpr char kInputXKey[] = "input/x";
constexpr char kInputYKey[] = "input/y";
constexpr char kZoomKey[] = "view/zoom";
constexpr char kFoldersGroup[] = "folders";

// A whole number kept under key, when there is one.
bool Read_Int(const QSettings& settings, const char* key, int* value) {
    bool ok = false;
    const int read = settings.value(key).toInt(&ok);
    if (ok) *value = read;
    return ok;
}

}  // namespace

QString Remembered::DefaultFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/plotari/plotari.conf";
}

Remembered::Remembered(const QString& path) : path_(path) {
    QSettings settings(path_, QSettings::IniFormat);
    // A file that cannot be read or parsed: the defaults.
    if (settings.status() != QSettings::NoError) return;
    const QStringList recent = settings.value(kRecentKey).toStringList();
    for (const QString& document : recent) {
        if (recent_.size() >= kRecentCount) break;
        if (QFileInfo(document).isAbsolute() && !recent_.contains(document)) recent_ << document;
    }
    main_geometry = settings.value(kGeometryKey).toByteArray();
    int x = 0, y = 0;
    has_input_place = Read_Int(settings, kInputXKey, &x) && Read_Int(settings, kInputYKey, &y);
    if (has_input_place) input_place = QPoint(x, y);
    int kept_zoom = 100;
    if (Read_Int(settings, kZoomKey, &kept_zoom) && kept_zoom >= MIN_ZOOM &&
        kept_zoom <= MAX_ZOOM) {
        zoom = kept_zoom;
    }
    settings.beginGroup(kFoldersGroup);
    for (const QString& title : settings.childKeys()) {
        const QString folder = settings.value(title).toString();
        if (QFileInfo(folder).isAbsolute()) folders.insert(title, folder);
    }
    settings.endGroup();
}

bool Remembered::Save() const {
    if (path_.isEmpty()) return false;
    const QFileInfo target(path_);
    // A file the user may not write is left as it is.
    if (target.exists() && ::access(QFile::encodeName(path_).constData(), W_OK) != 0) {
        return false;
    }
    QDir().mkpath(target.absolutePath());
    // Written whole beside the old file, then put in its place: a damaged file is replaced,
    // never merged with, and a failed write leaves the old one.
    QTemporaryFile temp(target.absolutePath() + "/.plotari-XXXXXX.conf");
    temp.setAutoRemove(false);
    if (!temp.open()) return false;
    const QString written = temp.fileName();
    temp.close();
    bool ok = false;
    {
        QSettings settings(written, QSettings::IniFormat);
        settings.setValue(kRecentKey, recent_);
        if (!main_geometry.isEmpty()) settings.setValue(kGeometryKey, main_geometry);
        if (has_input_place) {
            settings.setValue(kInputXKey, input_place.x());
            settings.setValue(kInputYKey, input_place.y());
        }
        settings.setValue(kZoomKey, zoom);
        settings.beginGroup(kFoldersGroup);
        for (auto it = folders.begin(); it != folders.end(); ++it) {
            settings.setValue(it.key(), it.value());
        }
        settings.endGroup();
        settings.sync();
        ok = settings.status() == QSettings::NoError;
    }
    if (!ok || ::rename(QFile::encodeName(written).constData(),
                        QFile::encodeName(path_).constData()) != 0) {
        QFile::remove(written);
        return false;
    }
    return true;
}

void Remembered::AddRecent(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent_.removeAll(absolute);
    recent_.prepend(absolute);
    while (recent_.size() > kRecentCount) recent_.removeLast();
}

void Remembered::RemoveRecent(const QString& path) { recent_.removeAll(path); }

namespace {

constexpr char kBookmarkNs[] = "http://www.freedesktop.org/standards/desktop-bookmarks";
constexpr char kMimeNs[] = "http://www.freedesktop.org/standards/shared-mime-info";

void Write_Bookmark(QXmlStreamWriter* xml, const QString& href, const QString& now) {
    xml->writeStartElement("bookmark");
    xml->writeAttribute("href", href);
    xml->writeAttribute("added", now);
    xml->writeAttribute("modified", now);
    xml->writeAttribute("visited", now);
    xml->writeStartElement("info");
    xml->writeStartElement("metadata");
    xml->writeAttribute("owner", "http://freedesktop.org");
    xml->writeEmptyElement(kMimeNs, "mime-type");
    xml->writeAttribute("type", "application/x-plotari-graph");
    xml->writeStartElement(kBookmarkNs, "applications");
    xml->writeEmptyElement(kBookmarkNs, "application");
    xml->writeAttribute("name", "Plotari");
    xml->writeAttribute("exec", "'plotari %u'");
    xml->writeAttribute("modified", now);
    xml->writeAttribute("count", "1");
    xml->writeEndElement();  // applications
    xml->writeEndElement();  // metadata
    xml->writeEndElement();  // info
    xml->writeEndElement();  // bookmark
}

}  // namespace

bool Add_ToDesktopRecent(const QString& path) {
    const QString list = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         "/recently-used.xbel";
    const QString href =
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    QByteArray old;
    QFile existing(list);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly)) return false;
        old = existing.readAll();
        existing.close();
    }
    QByteArray written;
    QXmlStreamWriter xml(&written);
    xml.setAutoFormatting(true);
    if (old.isEmpty()) {
        xml.writeStartDocument();
        xml.writeStartElement("xbel");
        xml.writeAttribute("version", "1.0");
        xml.writeNamespace(kBookmarkNs, "bookmark");
        xml.writeNamespace(kMimeNs, "mime");
        Write_Bookmark(&xml, href, now);
        xml.writeEndElement();
        xml.writeEndDocument();
    } else {
        // Every other entry is copied as it is; ours goes last, replacing an older one.
        QXmlStreamReader reader(old);
        bool in_xbel = false, added = false;
        while (!reader.atEnd()) {
            reader.readNext();
            if (reader.hasError()) return false;
            if (reader.isStartElement() && reader.name() == QLatin1String("xbel")) in_xbel = true;
            if (in_xbel && reader.isStartElement() && reader.name() == QLatin1String("bookmark") &&
                reader.attributes().value("href") == href) {
                reader.skipCurrentElement();
                continue;
            }
            if (reader.isEndElement() && reader.name() == QLatin1String("xbel")) {
                Write_Bookmark(&xml, href, now);
                added = true;
            }
            if (reader.tokenType() == QXmlStreamReader::Characters && reader.isWhitespace()) {
                continue;  // the writer lays the list out again
            }
            xml.writeCurrentToken(reader);
        }
        if (reader.hasError() || !added) return false;
    }
    QDir().mkpath(QFileInfo(list).absolutePath());
    QSaveFile out(list);
    if (!out.open(QIODevice::WriteOnly)) return false;
    out.write(written);
    return out.commit();
}
