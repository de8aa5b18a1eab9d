// What the window program keeps between runs in the user's configuration folder: the last
// ten documents, the main window's size and place, the input dialog's place, the folder each
// file dialog last showed, and the zoom. plotari-cli keeps none of it. A settings file that
// cannot be read or makes no sense gives the defaults; one that cannot be written is left.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QPoint>
#include <QString>
#include <QStringList>

class Remembered {
public:
    static constexpr int kRecentCount = 10;

    // Reads the file at path (the user's own: DefaultFile()).
    explicit Remembered(const QString& path);
    // $XDG_CONFIG_HOME/plotari/plotari.conf (~/.config/plotari/plotari.conf).
    static QString DefaultFile();

    // Writes everything back; false when the file cannot be written.
    bool Save() const;

    // The documents, newest first, each once, at most ten.
    const QStringList& Recent() const { return recent_; }
    void AddRecent(const QString& path);
    void RemoveRecent(const QString& path);

    QByteArray main_geometry;  // QWidget::saveGeometry of the main window
    bool has_input_place = false;
    QPoint input_place;              // the input dialog's top left corner on the screen
    QMap<QString, QString> folders;  // by the file dialog's title
    int zoom = 100;                  // 100 when none was kept

private:
    QString path_;
    QStringList recent_;
};

// Adds the document to the desktop's list of recently used files
// ($XDG_DATA_HOME/recently-used.xbel), as other programs' file choosers and the desktop's
// "recent" views read it. A list that cannot be read as one is left as it is; false then, or
// when it cannot be written.
bool Add_ToDesktopRecent(const QString& path);
