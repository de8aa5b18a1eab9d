// Every control of every dialog, and the paper, has a name a screen reader can say: the
// label a sighted user reads for it.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QWidget>

#include "axes/axis_tick_dialog.h"
#include "axes/num_style_dialog.h"
#include "elements/line_prop.h"
#include "elements/title_on_win.h"
#include "input/formula_dialog.h"
#include "platform/qt/qt_dialogs.h"
#include "shell/paper_dialogs.h"
#include "shell_app.h"

namespace {

INT_PTR Quiet(DialogControls*, UINT, WPARAM, LPARAM) { return 0; }

QString Spoken(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(QAccessible::Name) : QString();
}

TEST(AccessibleNames, EveryControlOfEveryDialogHasOne) {
    const DialogTemplate* dialogs[] = {
        &Zoom_Dialog_Template(), &Size_Dialog_Template(),  &Marker_Dialog_Template(),
        &AxSetDlg_Template(),    &NumStyDlg_Template(),    &LineProp_Template(),
        &TextInput_Template(),   &Input_Dialog_Template(), &Iovvr_Dialog_Template()};
    for (const DialogTemplate* dialog : dialogs) {
        QtDialog shown(*dialog, Quiet, nullptr);
        int controls = 0;
        for (QWidget* widget :
             shown.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (widget->focusPolicy() == Qt::NoFocus) continue;  // labels and group boxes
            ++controls;
            EXPECT_FALSE(Spoken(widget).trimmed().isEmpty())
                << dialog->name << ": " << widget->metaObject()->className() << " "
                << widget->objectName().toStdString();
        }
        EXPECT_GT(controls, 1) << dialog->name;
    }
}

TEST(AccessibleNames, TheLabelASightedUserReads) {
    const struct {
        const DialogTemplate& dialog;
        int id;
        const char* name;
    } rows[] = {
        {Zoom_Dialog_Template(), IDC_ZOOM_EDIT, "倍率"},  // left of it ("％" is to its right)
        {Size_Dialog_Template(), IDC_SIZE_LEFT, "左"},
        {Size_Dialog_Template(), IDC_SIZE_TOP, "上"},  // the same row, the nearer label
        {Size_Dialog_Template(), IDC_SIZE_BOTTOM, "下"},
        {Size_Dialog_Template(), IDC_SIZE_HCENTER, "中央"},  // its own text
        {Marker_Dialog_Template(), IDC_MARKER_EDIT, "マーカーの間隔 (点の数)"},
    };
    for (const auto& row : rows) {
        QtDialog shown(row.dialog, Quiet, nullptr);
        QWidget* item = shown.Item(row.id);
        ASSERT_NE(item, nullptr) << row.name;
        EXPECT_EQ(Spoken(item).toStdString(), row.name) << row.dialog.name << " " << row.id;
    }
    // An access key's "&" is not said.
    DialogTemplate keyed;
    keyed.caption = "caption";
    keyed.controls = {{ControlKind::PushButton, 10, "開く(&O)", 0, 0, 40, 14},
                      {ControlKind::Edit, 11, "", 100, 100, 40, 12}};
    EXPECT_EQ(keyed.Accessible_Name(keyed.controls[0]), "開く(O)");
    // Nothing to read beside it: the dialog's caption.
    EXPECT_EQ(keyed.Accessible_Name(keyed.controls[1]), "caption");
}

}  // namespace
