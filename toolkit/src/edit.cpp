#include <orlodock/tk/edit.h>

#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "qtconvert.h"
#include <orlodock/tk/application.h>
#include <orlodock/tk/exceptions.h>

namespace tk {

namespace {

void ApplyBase(QWidget* w, Color color) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, ToQColor(color));
    w->setPalette(pal);
}

} // namespace

// ---- Edit ----

Edit::Edit(Component* owner) : Control(owner, new QLineEdit()) {
    SetControlStyle(ControlStyle() & ~csClickEvents);
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
    edit()->setFont(ToQFont(*Font()));
    QObject::connect(edit(), &QLineEdit::textChanged, edit(), [this](const QString& text) {
        if (syncing_)
            return;
        syncing_ = true;
        SetCaption(text);
        syncing_ = false;
    });
}

QLineEdit* Edit::edit() const { return static_cast<QLineEdit*>(Widget()); }

bool Edit::ReadOnly() const { return edit()->isReadOnly(); }
void Edit::SetReadOnly(bool value) { edit()->setReadOnly(value); }
int Edit::MaxLength() const { return edit()->maxLength() == 32767 ? 0 : edit()->maxLength(); }
void Edit::SetMaxLength(int value) { edit()->setMaxLength(value > 0 ? value : 32767); }
void Edit::SelectAll() { edit()->selectAll(); }

void Edit::TextChanged() {
    if (!syncing_) {
        syncing_ = true;
        edit()->setText(Caption());
        syncing_ = false;
    }
    if (OnChange)
        SafeCall([this] { OnChange(this); });
}

void Edit::FontChanged() {
    edit()->setFont(ToQFont(*Font()));
    Control::FontChanged();
}

void Edit::ColorChanged() {
    ApplyBase(edit(), Color());
    Control::ColorChanged();
}

void Edit::EnabledChanged() { edit()->setEnabled(Enabled()); }

// ---- MemoLines ----

int MemoLines::Count() const { return static_cast<int>(memo_->lines().size()); }

String MemoLines::Strings(int index) const {
    StringList l = memo_->lines();
    if (index < 0 || index >= l.size())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return l[index];
}

void MemoLines::SetStrings(int index, const String& value) {
    StringList l = memo_->lines();
    if (index < 0 || index >= l.size())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    l[index] = value;
    memo_->setLines(l);
}

int MemoLines::Add(const String& line) {
    StringList l = memo_->lines();
    l << line;
    memo_->setLines(l);
    return static_cast<int>(l.size()) - 1;
}

void MemoLines::Insert(int index, const String& line) {
    StringList l = memo_->lines();
    if (index < 0 || index > l.size())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    l.insert(index, line);
    memo_->setLines(l);
}

void MemoLines::Delete(int index) {
    StringList l = memo_->lines();
    if (index < 0 || index >= l.size())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    l.removeAt(index);
    memo_->setLines(l);
}

void MemoLines::Clear() { memo_->setLines({}); }

String MemoLines::Text() const { return memo_->lines().join(QLatin1Char('\n')); }

void MemoLines::SetText(const String& text) {
    QString t = text;
    t.remove(QLatin1Char('\r'));
    if (t.endsWith(QLatin1Char('\n')))
        t.chop(1);
    memo_->setLines(t.isEmpty() ? StringList() : t.split(QLatin1Char('\n')));
}

StringList MemoLines::ToList() const { return memo_->lines(); }

// ---- Memo ----

Memo::Memo(Component* owner) : Control(owner, new QPlainTextEdit()), lines_(new MemoLines(this)) {
    SetControlStyle(ControlStyle() & ~csClickEvents);
    SetTabStop(true);
    SetBounds(0, 0, 185, 89);
    edit()->setFont(ToQFont(*Font()));
    QObject::connect(edit(), &QPlainTextEdit::textChanged, edit(), [this] { SyncFromEditor(); });
}

Memo::~Memo() = default;

QPlainTextEdit* Memo::edit() const { return static_cast<QPlainTextEdit*>(Widget()); }

StringList Memo::lines() const {
    // An empty memo has no lines; a trailing line break does not start another one.
    QString text = Caption();
    if (text.isEmpty())
        return {};
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

void Memo::setLines(const StringList& lines) { SetCaption(lines.join(QLatin1Char('\n'))); }

void Memo::SyncFromEditor() {
    if (syncing_)
        return;
    syncing_ = true;
    SetCaption(edit()->toPlainText());
    syncing_ = false;
}

void Memo::TextChanged() {
    if (!syncing_) {
        syncing_ = true;
        edit()->setPlainText(Caption());
        syncing_ = false;
    }
    if (OnChange)
        SafeCall([this] { OnChange(this); });
}

bool Memo::ReadOnly() const { return edit()->isReadOnly(); }
void Memo::SetReadOnly(bool value) { edit()->setReadOnly(value); }
bool Memo::WordWrap() const { return edit()->lineWrapMode() != QPlainTextEdit::NoWrap; }
void Memo::SetWordWrap(bool value) {
    edit()->setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void Memo::FontChanged() {
    edit()->setFont(ToQFont(*Font()));
    Control::FontChanged();
}

void Memo::ColorChanged() {
    ApplyBase(edit(), Color());
    Control::ColorChanged();
}

void Memo::EnabledChanged() { edit()->setEnabled(Enabled()); }

} // namespace tk
