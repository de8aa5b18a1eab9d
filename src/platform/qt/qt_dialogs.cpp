#include "platform/qt/qt_dialogs.h"

#include "platform/cp932.h"

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
#include <QHeaderView>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTextCursor>
#include <QTreeWidget>

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }

// Full-width characters typed through an input method become their ASCII forms as they are
// typed, so the box shows what is read; a digits-only box then takes digits only. (Each
// folded character is one UTF-16 unit either way: the cursor stays where it was.)
class AsciiValidator : public QValidator {
public:
    AsciiValidator(bool digits_only, QObject* parent)
        : QValidator(parent), digits_only_(digits_only) {}
    State validate(QString& input, int&) const override {
        const QString folded = Q(Fold_FullWidth(input.toStdString()));
        if (folded != input) input = folded;
        if (digits_only_) {
            for (const QChar c : input) {
                if (c < QChar('0') || c > QChar('9')) return Invalid;
            }
        }
        return Acceptable;
    }

private:
    bool digits_only_;
};

// In-place editing of a list view: only column 0 opens an editor, and a confirmed edit is
// handed to the dialog procedure instead of being written into the row.
class LabelDelegate : public QStyledItemDelegate {
public:
    LabelDelegate(QtDialog* dialog, int id, QObject* parent)
        : QStyledItemDelegate(parent), dialog_(dialog), id_(id) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (index.column() != 0) return nullptr;
        NMLVDISPINFO info;
        info.hdr.idFrom = id_;
        info.hdr.code = LVN_BEGINLABELEDITA;
        info.item = index.row();
        dialog_->Send(WM_NOTIFY, static_cast<WPARAM>(id_), reinterpret_cast<LPARAM>(&info));
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        // Values are typed here: read in ASCII like every value box.
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setValidator(new AsciiValidator(false, line));
        }
        return editor;
    }
    // Grid lines: each cell is framed on its right and bottom edge.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (!grid_lines) return;
        painter->save();
        painter->setPen(QColor(192, 192, 192));
        const QRect cell = option.rect;
        painter->drawLine(cell.topRight(), cell.bottomRight());
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        painter->restore();
    }
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (line == nullptr) return;
        const std::string text = line->text().toStdString();
        dialog_->Label_Edited(id_, index.row(), text.c_str());
    }

    bool grid_lines = false;

private:
    QtDialog* dialog_;
    int id_;
};
}  // namespace

QtDialog::QtDialog(const DialogTemplate& dialog, DLGPROC proc, QWidget* parent)
    : QDialog(parent), template_(dialog), proc_(proc), handle_(this) {
    setWindowTitle(Q(dialog.caption));
    setFixedSize(Unit_X(dialog.cx), Unit_Y(dialog.cy));
    setObjectName(Q(dialog.name));
    Build();
}

QtDialog::~QtDialog() {
    // The controls go while the dialog is whole; what they report on the way is ignored.
    closing_ = true;
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

void QtDialog::Build() {
    QButtonGroup* group = nullptr;
    for (const DialogControl& control : template_.controls) {
        QWidget* widget = nullptr;
        const QString text = Q(control.text);
        switch (control.kind) {
            case ControlKind::Static: {
                auto* label = new QLabel(text, this);
                if (control.style & CS_RIGHT)
                    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                widget = label;
                break;
            }
            case ControlKind::Edit: {
                if (control.style & CS_MULTILINE) {
                    auto* box = new QPlainTextEdit(this);
                    box->setTabChangesFocus(true);
                    const int id = control.id;
                    const bool fold = (control.style & CS_FREETEXT) == 0;
                    connect(box, &QPlainTextEdit::textChanged, this, [this, id, box, fold] {
                        if (fold) {
                            const QString text = box->toPlainText();
                            const QString folded = Q(Fold_FullWidth(text.toStdString()));
                            if (folded != text) {
                                // Shown folded; the change of text comes back here once.
                                const int at = box->textCursor().position();
                                box->setPlainText(folded);
                                QTextCursor cursor = box->textCursor();
                                cursor.setPosition(qMin(at, static_cast<int>(folded.size())));
                                box->setTextCursor(cursor);
                                return;
                            }
                        }
                        if (!quiet_) Command(id, EN_CHANGE);
                    });
                    widget = box;
                    break;
                }
                auto* edit = new QLineEdit(this);
                if (control.max_length > 0) edit->setMaxLength(control.max_length);
                if (control.style & CS_READONLY) edit->setReadOnly(true);
                if ((control.style & CS_FREETEXT) == 0) {
                    edit->setValidator(new AsciiValidator((control.style & CS_NUMBER) != 0, edit));
                }
                const int id = control.id;
                connect(edit, &QLineEdit::textEdited, this, [this, id] {
                    if (!quiet_) Command(id, EN_CHANGE);
                });
                widget = edit;
                break;
            }
            case ControlKind::CheckBox: widget = new QCheckBox(text, this); break;
            case ControlKind::RadioButton: {
                auto* radio = new QRadioButton(text, this);
                if (group == nullptr || (control.style & CS_GROUP)) {
                    group = new QButtonGroup(this);
                }
                group->addButton(radio);
                widget = radio;
                break;
            }
            case ControlKind::GroupBox: widget = new QGroupBox(text, this); break;
            case ControlKind::PushButton:
            case ControlKind::DefPushButton: {
                auto* button = new QPushButton(text, this);
                button->setAutoDefault(false);
                if (control.kind == ControlKind::DefPushButton) button->setDefault(true);
                widget = button;
                break;
            }
            case ControlKind::ListView: {
                auto* view = new QTreeWidget(this);
                view->setRootIsDecorated(false);
                view->setColumnCount(0);
                view->setEditTriggers(QAbstractItemView::DoubleClicked |
                                      QAbstractItemView::EditKeyPressed |
                                      QAbstractItemView::SelectedClicked);
                view->setItemDelegate(new LabelDelegate(this, control.id, view));
                view->header()->setSectionsMovable(false);
                widget = view;
                break;
            }
            case ControlKind::ListBox: {
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
        if (control.style & CS_NOTABSTOP) widget->setFocusPolicy(Qt::ClickFocus);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            const int id = control.id;
            connect(button, &QAbstractButton::clicked, this, [this, id] {
                if (!quiet_) Command(id, BN_CLICKED);
            });
        }
        widget->setGeometry(Unit_X(control.x), Unit_Y(control.y), Unit_X(control.cx),
                            Unit_Y(control.cy));
        // What a screen reader says of the control: the label a sighted user reads for it.
        widget->setAccessibleName(Q(template_.Accessible_Name(control)));
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
    if (closing_) return 0;
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
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
        return box->toPlainText().toStdString();
    }
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
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
        box->setPlainText(Q(text));
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
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

void QtDialog::Edit_GetSel(int id, int* start, int* end) const {
    *start = 0;
    *end = 0;
    QWidget* widget = Item(id);
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
        QTextCursor cursor = box->textCursor();
        *start = cursor.selectionStart();
        *end = cursor.selectionEnd();
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->hasSelectedText()) {
            *start = edit->selectionStart();
            *end = edit->selectionEnd();
        } else {
            *start = *end = edit->cursorPosition();
        }
    }
}

void QtDialog::Edit_SetSel(int id, int start, int end) {
    QWidget* widget = Item(id);
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
        const int length = static_cast<int>(box->toPlainText().size());
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(qBound(0, start, length));
        cursor.setPosition(qBound(0, end, length), QTextCursor::KeepAnchor);
        box->setTextCursor(cursor);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        const int length = static_cast<int>(edit->text().size());
        edit->setSelection(qBound(0, start, length),
                           qBound(0, end, length) - qBound(0, start, length));
    }
}

void QtDialog::Edit_ReplaceSel(int id, const std::string& text) {
    QWidget* widget = Item(id);
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
        box->textCursor().insertText(Q(text));  // one step on the undo stack
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->insert(Q(text));
    }
}

void QtDialog::ListView_InsertColumn(int id, int column, const std::string& title, int width,
                                     ColumnAlign align) {
    auto* view = qobject_cast<QTreeWidget*>(Item(id));
    if (!view) return;
    const int count = view->columnCount();
    if (column < 0 || column > count) column = count;
    QTreeWidgetItem* header = view->headerItem();
    QStringList titles;
    for (int i = 0; i < count; ++i) titles << header->text(i);
    titles.insert(column, Q(title));
    view->setColumnCount(static_cast<int>(titles.size()));
    view->setHeaderLabels(titles);
    view->setColumnWidth(column, width);
    const Qt::Alignment qt_align = align == ColumnAlign::Center  ? Qt::AlignHCenter
                                   : align == ColumnAlign::Right ? Qt::AlignRight
                                                                 : Qt::AlignLeft;
    header->setTextAlignment(column, qt_align | Qt::AlignVCenter);
    view->setProperty(QString("align%1").arg(column).toUtf8().constData(),
                      static_cast<int>(qt_align | Qt::AlignVCenter));
}

void QtDialog::ListView_AddExtendedStyle(int id, unsigned ex_style) {
    auto* view = qobject_cast<QTreeWidget*>(Item(id));
    if (view == nullptr) return;
    if (ex_style & LVS_EX_FULLROWSELECT) {
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setAllColumnsShowFocus(true);
    }
    if (ex_style & LVS_EX_HEADERDRAGDROP) view->header()->setSectionsMovable(true);
    if (ex_style & LVS_EX_GRIDLINES) {
        if (auto* delegate = dynamic_cast<LabelDelegate*>(view->itemDelegate())) {
            delegate->grid_lines = true;
            view->viewport()->update();
        }
    }
}

void QtDialog::ListView_DeleteAllItems(int id) {
    if (auto* view = qobject_cast<QTreeWidget*>(Item(id))) view->clear();
}

int QtDialog::ListView_InsertItem(int id, int row, const std::string& text) {
    auto* view = qobject_cast<QTreeWidget*>(Item(id));
    if (!view) return -1;
    const int count = view->topLevelItemCount();
    if (row < 0 || row > count) row = count;
    auto* item = new QTreeWidgetItem;
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    for (int column = 0; column < view->columnCount(); ++column) {
        const QVariant align = view->property(QString("align%1").arg(column).toUtf8().constData());
        if (align.isValid()) {
            item->setTextAlignment(column, Qt::Alignment(QFlag(align.toInt())));
        }
    }
    item->setText(0, Q(text));
    view->insertTopLevelItem(row, item);
    return row;
}

void QtDialog::ListView_SetItemText(int id, int row, int column, const std::string& text) {
    auto* view = qobject_cast<QTreeWidget*>(Item(id));
    if (!view || row < 0 || row >= view->topLevelItemCount()) return;
    view->topLevelItem(row)->setText(column, Q(text));
}

std::string QtDialog::ListView_GetItemText(int id, int row, int column) const {
    auto* view = qobject_cast<QTreeWidget*>(Item(id));
    if (!view || row < 0 || row >= view->topLevelItemCount()) return {};
    return view->topLevelItem(row)->text(column).toStdString();
}

int QtDialog::ListView_GetItemCount(int id) const {
    auto* view = qobject_cast<QTreeWidget*>(Item(id));
    return view ? view->topLevelItemCount() : 0;
}

void QtDialog::Label_Edited(int id, int row, const char* text) {
    NMLVDISPINFO info;
    info.hdr.idFrom = id;
    info.hdr.code = LVN_ENDLABELEDITA;
    info.item = row;
    info.pszText = text;
    Send(WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&info));
}

void QtDialog::ShowDialog(bool show) {
    if (show) {
        // Shown again, the dialog comes back where the user left it instead of centred anew.
        if (hidden_at_) move(*hidden_at_);
        this->show();
        raise();
        activateWindow();
    } else {
        if (isVisible()) hidden_at_ = pos();
        hide();
    }
}

std::unique_ptr<DialogControls> QtDialogRunner::CreateModeless(const DialogTemplate& dialog,
                                                               HWND owner, DLGPROC proc,
                                                               LPARAM init_param) {
    QWidget* owner_widget = Owner_Widget(owner);
    auto qt_dialog = std::make_unique<QtDialog>(dialog, proc, owner_widget);
    qt_dialog->setModal(false);
    // With an owner, a modeless dialog is its tool window: it stays above the owner while
    // the owner has the keyboard focus.
    if (owner_widget != nullptr) {
        qt_dialog->setWindowFlags((qt_dialog->windowFlags() & ~Qt::WindowType_Mask) | Qt::Tool);
    }
    qt_dialog->Send(WM_INITDIALOG, 0, init_param);
    return qt_dialog;
}

INT_PTR QtDialogRunner::RunModal(const DialogTemplate& dialog, HWND owner, DLGPROC proc,
                                 LPARAM init_param) {
    QtDialog qt_dialog(dialog, proc, Owner_Widget(owner));
    qt_dialog.Send(WM_INITDIALOG, 0, init_param);
    if (!qt_dialog.Ended()) qt_dialog.exec();
    return qt_dialog.Result();
}
