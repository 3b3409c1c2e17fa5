#pragma once

// Text editing controls: a single-line edit and a multi-line edit (memo)
// whose text is a list of lines. Text() follows what the user types.

#include <memory>

#include <orlodock/tk/control.h>

class QLineEdit;
class QPlainTextEdit;

namespace tk {

class Edit : public Control {
public:
    explicit Edit(Component* owner);

    // The text is the control's caption.
    const String& Text() const { return Caption(); }
    void SetText(const String& value) { SetCaption(value); }

    bool ReadOnly() const;
    void SetReadOnly(bool value);
    int MaxLength() const;
    void SetMaxLength(int value);
    void SelectAll();

    NotifyEvent OnChange;

protected:
    void TextChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void EnabledChanged() override;

private:
    QLineEdit* edit() const;
    bool syncing_ = false;
};

class Memo;

// The lines of a memo; changes show at once.
class MemoLines {
public:
    int Count() const;
    String Strings(int index) const;
    String operator[](int index) const { return Strings(index); }
    void SetStrings(int index, const String& value);
    int Add(const String& line);
    void Insert(int index, const String& line);
    void Delete(int index);
    void Clear();
    // All lines joined with "\n".
    String Text() const;
    void SetText(const String& text);
    StringList ToList() const;

private:
    friend class Memo;
    explicit MemoLines(Memo* memo) : memo_(memo) {}
    Memo* memo_;
};

class Memo : public Control {
public:
    explicit Memo(Component* owner);
    ~Memo() override;

    MemoLines* Lines() { return lines_.get(); }
    // All lines joined with "\n".
    const String& Text() const { return Caption(); }
    void SetText(const String& value) { SetCaption(value); }
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    bool WordWrap() const;
    void SetWordWrap(bool value);

    NotifyEvent OnChange;

protected:
    void TextChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void EnabledChanged() override;

private:
    friend class MemoLines;
    QPlainTextEdit* edit() const;
    void SyncFromEditor();
    StringList lines() const;
    void setLines(const StringList& lines);
    std::unique_ptr<MemoLines> lines_;
    bool syncing_ = false;
};

} // namespace tk
