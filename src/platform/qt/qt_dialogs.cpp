#include "platform/qt/qt_dialogs.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

QtDialog::QtDialog(const DialogTemplate& dialog, DLGPROC proc, QWidget* parent)
    : QDialog(parent), template_(dialog), proc_(proc), handle_(this) {
    setWindowTitle(Q(dialog.caption));
    setFixedSize(Unit_X(dialog.cx), Unit_Y(dialog.cy));
    setObjectName(Q(dialog.name));
    Build();
}

QtDialog::~QtDialog() = default;

void QtDialog::Build() {
    QButtonGroup* group = nullptr;
    for (const DialogControl& control : template_.controls) {
        QWidget* widget = nullptr;
        const QString text = Q(control.text);
        switch (control.kind) {
            case ControlKind::Static: {
                auto* label = new QLabel(text, this);
                if (control.style & CS_RIGHT) label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                widget = label;
                break;
            }
            case ControlKind::Edit: {
                auto* edit = new QLineEdit(this);
                if (control.max_length > 0) edit->setMaxLength(control.max_length);
                if (control.style & CS_READONLY) edit->setReadOnly(true);
                if (control.style & CS_NUMBER) {
                    edit->setValidator(
                        new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
                }
                const int id = control.id;
                connect(edit, &QLineEdit::textEdited, this, [this, id] {
                    if (!quiet_) Command(id, EN_CHANGE);
                });
                widget = edit;
                break;
            }
            case ControlKind::CheckBox:
                widget = new QCheckBox(text, this);
                break;
            case ControlKind::RadioButton: {
                auto* radio = new QRadioButton(text, this);
                if (group == nullptr || (control.style & CS_GROUP)) {
                    group = new QButtonGroup(this);
                }
                group->addButton(radio);
                widget = radio;
                break;
            }
            case ControlKind::GroupBox:
                widget = new QGroupBox(text, this);
                break;
            case ControlKind::PushButton:
            case ControlKind::DefPushButton: {
                auto* button = new QPushButton(text, this);
                button->setAutoDefault(false);
                if (control.kind == ControlKind::DefPushButton) button->setDefault(true);
                widget = button;
                break;
            }
            case ControlKind::ListBox:
            case ControlKind::ListView: {
                auto* list = new QListWidget(this);
                const int id = control.id;
                connect(list, &QListWidget::currentRowChanged, this, [this, id] {
                    if (!quiet_) Command(id, LBN_SELCHANGE);
                });
                connect(list, &QListWidget::itemDoubleClicked, this,
                        [this, id] { Command(id, LBN_DBLCLK); });
                widget = list;
                break;
            }
        }
        if (control.kind != ControlKind::RadioButton) group = nullptr;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            const int id = control.id;
            connect(button, &QAbstractButton::clicked, this, [this, id] {
                if (!quiet_) Command(id, BN_CLICKED);
            });
        }
        widget->setGeometry(Unit_X(control.x), Unit_Y(control.y), Unit_X(control.cx),
                            Unit_Y(control.cy));
        if (control.kind == ControlKind::GroupBox) widget->lower();
        if (control.id != IDC_STATIC) {
            widget->setObjectName(QString("item%1").arg(control.id));
            items_[control.id] = widget;
        }
    }
}

QWidget* QtDialog::Item(int id) const {
    auto found = items_.find(id);
    return found == items_.end() ? nullptr : found->second;
}

INT_PTR QtDialog::Send(UINT message, WPARAM wparam, LPARAM lparam) {
    return proc_(this, message, wparam, lparam);
}

void QtDialog::Command(int id, WORD notification) {
    Send(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), notification), 0);
}

void QtDialog::reject() {
    // Escape is the cancel button: the procedure decides.
    Command(IDCANCEL, BN_CLICKED);
}

void QtDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!Send(WM_CLOSE, 0, 0) && !ended_) Command(IDCANCEL, BN_CLICKED);
}

std::string QtDialog::GetDlgItemText(int id) const {
    QWidget* widget = Item(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text().toStdString();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text().toStdString();
    }
    if (auto* box = qobject_cast<QGroupBox*>(widget)) return box->title().toStdString();
    return {};
}

void QtDialog::SetDlgItemText(int id, const std::string& text) {
    QWidget* widget = Item(id);
    quiet_ = true;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(Q(text));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(Q(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(Q(text));
    } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        box->setTitle(Q(text));
    }
    quiet_ = false;
}

UINT QtDialog::IsDlgButtonChecked(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(Item(id));
    return button && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void QtDialog::CheckDlgButton(int id, UINT state) {
    if (auto* button = qobject_cast<QAbstractButton*>(Item(id))) {
        button->setChecked(state == BST_CHECKED);
    }
}

void QtDialog::CheckRadioButton(int first_id, int last_id, int check_id) {
    for (int id = first_id; id <= last_id; ++id) {
        if (auto* button = qobject_cast<QAbstractButton*>(Item(id))) {
            if (id != check_id && button->group() != nullptr) {
                // An exclusive group never shows none checked: lift exclusivity meanwhile.
                button->group()->setExclusive(false);
                button->setChecked(false);
                button->group()->setExclusive(true);
            } else {
                button->setChecked(id == check_id);
            }
        }
    }
}

void QtDialog::EnableDlgItem(int id, bool enable) {
    if (QWidget* widget = Item(id)) widget->setEnabled(enable);
}

bool QtDialog::IsDlgItemEnabled(int id) const {
    QWidget* widget = Item(id);
    return widget && widget->isEnabled();
}

void QtDialog::SetFocusItem(int id) {
    if (QWidget* widget = Item(id)) widget->setFocus();
}

void QtDialog::EndDialog(INT_PTR result) {
    ended_ = true;
    result_ = result;
    done(0);
}

int QtDialog::ListBox_AddString(int id, const std::string& text) {
    auto* list = qobject_cast<QListWidget*>(Item(id));
    if (!list) return LB_ERR;
    quiet_ = true;
    list->addItem(Q(text));
    quiet_ = false;
    return list->count() - 1;
}

int QtDialog::ListBox_InsertString(int id, int index, const std::string& text) {
    auto* list = qobject_cast<QListWidget*>(Item(id));
    if (!list) return LB_ERR;
    if (index < 0 || index > list->count()) index = list->count();
    quiet_ = true;
    list->insertItem(index, Q(text));
    quiet_ = false;
    return index;
}

int QtDialog::ListBox_DeleteString(int id, int index) {
    auto* list = qobject_cast<QListWidget*>(Item(id));
    if (!list || index < 0 || index >= list->count()) return LB_ERR;
    quiet_ = true;
    delete list->takeItem(index);
    quiet_ = false;
    return list->count();
}

void QtDialog::ListBox_ResetContent(int id) {
    if (auto* list = qobject_cast<QListWidget*>(Item(id))) {
        quiet_ = true;
        list->clear();
        quiet_ = false;
    }
}

int QtDialog::ListBox_GetCount(int id) const {
    auto* list = qobject_cast<QListWidget*>(Item(id));
    return list ? list->count() : 0;
}

int QtDialog::ListBox_GetCurSel(int id) const {
    auto* list = qobject_cast<QListWidget*>(Item(id));
    if (!list) return LB_ERR;
    int row = list->currentRow();
    return row >= 0 && list->currentItem() && list->currentItem()->isSelected() ? row : LB_ERR;
}

int QtDialog::ListBox_SetCurSel(int id, int index) {
    auto* list = qobject_cast<QListWidget*>(Item(id));
    if (!list) return LB_ERR;
    quiet_ = true;
    if (index < 0 || index >= list->count()) {
        list->setCurrentRow(-1);
        list->clearSelection();
        quiet_ = false;
        return index == -1 ? 0 : LB_ERR;
    }
    list->setCurrentRow(index);
    quiet_ = false;
    return index;
}

std::string QtDialog::ListBox_GetText(int id, int index) const {
    auto* list = qobject_cast<QListWidget*>(Item(id));
    if (!list || index < 0 || index >= list->count()) return {};
    return list->item(index)->text().toStdString();
}

INT_PTR QtDialogRunner::RunModal(const DialogTemplate& dialog, HWND owner, DLGPROC proc,
                                 LPARAM init_param) {
    QtDialog qt_dialog(dialog, proc, Owner_Widget(owner));
    qt_dialog.Send(WM_INITDIALOG, 0, init_param);
    if (!qt_dialog.Ended()) qt_dialog.exec();
    return qt_dialog.Result();
}
