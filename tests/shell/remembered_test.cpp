// What the window program keeps between runs: the settings file written and read back, a
// damaged or unreadable one giving the defaults, the list of recent documents, the desktop's
// recently-used list, and the window taking and leaving them.
#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/qt/qt_choosers.h"
#include "platform/scripted_choosers.h"
#include "shell/remembered.h"
#include "window_fixture.h"

namespace {

// A folder of its own, emptied and removed afterwards.
class TempFolder {
public:
    TempFolder() {
        char dir[] = "/tmp/plotari-kept-XXXXXX";
        if (mkdtemp(dir) != nullptr) path_ = dir;
    }
    ~TempFolder() {
        if (!path_.empty()) std::system(("rm -rf '" + path_ + "'").c_str());
    }
    QString File(const char* name) const { return QString::fromStdString(path_ + "/" + name); }
    bool Made() const { return !path_.empty(); }

private:
    std::string path_;
};

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(Remembered, WrittenAndReadBack) {
    TempFolder temp;
    ASSERT_TRUE(temp.Made());
    const QString file = temp.File("config/plotari.conf");
    {
        Remembered kept(file);
        EXPECT_TRUE(kept.Recent().isEmpty()) << "no file yet: the defaults";
        EXPECT_EQ(kept.zoom, 100);
        kept.AddRecent("/home/u/a.dat");
        kept.AddRecent("/home/u/グラフ/b.dat");
        kept.main_geometry = QByteArray("\x01\x02geometry", 10);
        kept.has_input_place = true;
        kept.input_place = QPoint(1010, 42);
        kept.folders.insert("保存ファイルを指定", "/home/u/グラフ");
        kept.folders.insert("データを読むファイルを指定", "/home/u");
        kept.zoom = 150;
        EXPECT_TRUE(kept.Save());
    }
    Remembered again(file);
    EXPECT_EQ(again.Recent(), QStringList({"/home/u/グラフ/b.dat", "/home/u/a.dat"}));
    EXPECT_EQ(again.main_geometry, QByteArray("\x01\x02geometry", 10));
    EXPECT_TRUE(again.has_input_place);
    EXPECT_EQ(again.input_place, QPoint(1010, 42));
    EXPECT_EQ(again.folders.value("保存ファイルを指定"), "/home/u/グラフ");
    EXPECT_EQ(again.folders.value("データを読むファイルを指定"), "/home/u");
    EXPECT_EQ(again.zoom, 150);
}

TEST(Remembered, TheRecentListIsNewestFirstTenAtMostEachOnce) {
    TempFolder temp;
    Remembered kept(temp.File("plotari.conf"));
    for (int i = 0; i < 12; ++i) kept.AddRecent(QString("/d/%1.dat").arg(i));
    ASSERT_EQ(kept.Recent().size(), Remembered::kRecentCount);
    EXPECT_EQ(kept.Recent().front(), "/d/11.dat");
    EXPECT_EQ(kept.Recent().back(), "/d/2.dat");
    kept.AddRecent("/d/5.dat");  // again: to the front, not twice
    EXPECT_EQ(kept.Recent().front(), "/d/5.dat");
    EXPECT_EQ(kept.Recent().count("/d/5.dat"), 1);
    EXPECT_EQ(kept.Recent().size(), Remembered::kRecentCount);
    kept.RemoveRecent("/d/11.dat");
    EXPECT_FALSE(kept.Recent().contains("/d/11.dat"));
}

// Whatever is in a damaged file, the program starts with the defaults and can save again.
TEST(Remembered, ADamagedFileGivesTheDefaults) {
    TempFolder temp;
    const QString file = temp.File("plotari.conf");
    struct Row {
        const char* what;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"binary noise", QByteArray("\x00\xff\xfe[\x01=\x02\n\x80\x81", 11)},
        {"values of the wrong kind",
         "[view]\nzoom=huge\n[documents]\nrecent=relative/path.dat, 7\n[input]\nx=left\n"},
        {"a zoom beyond the limits", "[view]\nzoom=100000\n"},
        {"an unterminated group", "[view\nzoom=150\n"},
    };
    for (const Row& row : rows) {
        Write(file, row.bytes);
        Remembered kept(file);
        EXPECT_NE(kept.zoom, 100000) << row.what;
        EXPECT_GE(kept.zoom, 11) << row.what;
        for (const QString& path : kept.Recent()) {
            EXPECT_TRUE(path.startsWith('/')) << row.what << ": " << path.toStdString();
        }
        EXPECT_FALSE(kept.has_input_place) << row.what;
        kept.AddRecent("/d/kept.dat");
        EXPECT_TRUE(kept.Save()) << row.what;
        EXPECT_EQ(Remembered(file).Recent().front(), "/d/kept.dat") << row.what;
    }
}

TEST(Remembered, AnUnreadableFileGivesTheDefaults) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads any file: run as an ordinary user";
    TempFolder temp;
    const QString file = temp.File("plotari.conf");
    Write(file, "[view]\nzoom=150\n");
    chmod(file.toLocal8Bit().constData(), 0);
    Remembered kept(file);
    EXPECT_EQ(kept.zoom, 100);
    EXPECT_FALSE(kept.Save());
}

// The desktop's list: our documents added (once each, the latest last), the other programs'
// entries kept as they were, and a list that is not XBEL left alone.
TEST(DesktopRecent, AddsOursAndKeepsTheRest) {
    TempFolder temp;
    const QByteArray old_data = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", temp.File("data").toLocal8Bit());
    const QString list = temp.File("data/recently-used.xbel");
    EXPECT_TRUE(Add_ToDesktopRecent("/home/u/a.dat"));
    EXPECT_TRUE(Add_ToDesktopRecent("/home/u/グラフ b.dat"));
    EXPECT_TRUE(Add_ToDesktopRecent("/home/u/a.dat"));
    const auto hrefs = [&list] {
        QStringList found;
        QXmlStreamReader xml(Read(list));
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("bookmark")) {
                found << xml.attributes().value("href").toString();
            }
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        return found;
    };
    EXPECT_EQ(hrefs(), QStringList({"file:///home/u/%E3%82%B0%E3%83%A9%E3%83%95%20b.dat",
                                    "file:///home/u/a.dat"}));
    EXPECT_TRUE(Read(list).contains("application/x-plotari-graph"));
    // Another program's entry survives ours.
    Write(list,
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xbel version=\"1.0\" "
          "xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\">\n"
          "<bookmark href=\"file:///home/u/report.odt\" added=\"2026-01-01T00:00:00Z\">"
          "<title>report</title></bookmark>\n</xbel>\n");
    EXPECT_TRUE(Add_ToDesktopRecent("/home/u/a.dat"));
    EXPECT_EQ(hrefs(), QStringList({"file:///home/u/report.odt", "file:///home/u/a.dat"}));
    EXPECT_TRUE(Read(list).contains("<title>report</title>"));
    // Not a list we can read: untouched.
    Write(list, "<xbel><bookmark href=\"x\"></xbel>");
    EXPECT_FALSE(Add_ToDesktopRecent("/home/u/a.dat"));
    EXPECT_EQ(Read(list), QByteArray("<xbel><bookmark href=\"x\"></xbel>"));
    if (old_data.isNull()) {
        qunsetenv("XDG_DATA_HOME");
    } else {
        qputenv("XDG_DATA_HOME", old_data);
    }
}

class RememberingWindow : public WindowFixture {};

// The window takes what was kept, lists the documents used, drops one that is gone (with a
// message) and leaves everything behind as it closes.
TEST_F(RememberingWindow, TakesKeepsAndListsTheDocuments) {
    TempFolder temp;
    const QByteArray old_data = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", temp.File("data").toLocal8Bit());
    const QString settings = temp.File("plotari.conf");
    {
        Remembered seed(settings);
        seed.zoom = 150;
        seed.folders.insert("保存ファイルを指定", temp.File(""));
        ASSERT_TRUE(seed.Save());
    }
    window_->Remember(std::make_unique<Remembered>(settings));
    EXPECT_EQ(g_zoom, 150);
    EXPECT_EQ(window_->ZoomText(), "倍率 150%");
    EXPECT_EQ(Dialog_Folders().value("保存ファイルを指定"), temp.File(""));
    Draw("sin(x):x(-3,3)[30]");
    {
        ScriptedChoosers choosers;
        for (const char* name : {"one.dat", "two.dat"}) {
            choosers.file_path = temp.File(name).toStdString();
            window_->Command(120);
        }
    }
    window_->UpdateMenus();
    EXPECT_EQ(window_->Action(181)->text(), "&1 two.dat");
    EXPECT_EQ(window_->Action(182)->text(), "&2 one.dat");
    EXPECT_FALSE(window_->Action(183)->isVisible());
    EXPECT_TRUE(Read(temp.File("data/recently-used.xbel")).contains("two.dat"));
    // The second of the list opens as 開く would (the document is unchanged: no question).
    window_->Command(182);
    EXPECT_EQ(Graph().reference_file, temp.File("one.dat").toStdString());
    EXPECT_EQ(window_->Kept()->Recent().front(), temp.File("one.dat"));
    // A document that has gone is taken off the list with a message.
    std::remove(temp.File("two.dat").toLocal8Bit().constData());
    boxes_.Clear();
    window_->Command(182);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_NE(boxes_.boxes[0].text.find("two.dat"), std::string::npos);
    EXPECT_EQ(window_->Kept()->Recent(), QStringList({temp.File("one.dat")}));
    EXPECT_EQ(Graph().reference_file, temp.File("one.dat").toStdString());
    // Closing leaves the zoom, the window's place and the list in the file.
    window_->Command(163);  // 100 %
    window_->StoreRemembered();
    Remembered stored(settings);
    EXPECT_EQ(stored.zoom, 100);
    EXPECT_FALSE(stored.main_geometry.isEmpty());
    EXPECT_TRUE(stored.has_input_place);
    EXPECT_EQ(stored.Recent(), QStringList({temp.File("one.dat")}));
    if (old_data.isNull()) {
        qunsetenv("XDG_DATA_HOME");
    } else {
        qputenv("XDG_DATA_HOME", old_data);
    }
}

}  // namespace
