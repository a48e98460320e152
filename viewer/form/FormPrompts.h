#pragma once

#include <QString>
#include <QUrl>

#include <optional>

class QWidget;

namespace lumora {

class CImageView;
class SettingDlgHost;
struct ViewerSettings;

// Everything the main form shows modally or hands to the desktop: message boxes, the capture
// name and setting dialogs, printing and the maker's page. The form talks only to this
// interface, so tests answer in place of the user.
class FormPrompts {
public:
    enum class Icon { Information, Warning };

    virtual ~FormPrompts() = default;

    // A box with an OK button.
    virtual void Tell(const QString& caption, const QString& text, Icon icon) = 0;
    // A Yes/No question: true for Yes.
    virtual bool AskYesNo(const QString& caption, const QString& text) = 0;
    // The "Save" dialog showing `proposed`: what was typed, nothing when cancelled.
    virtual std::optional<QString> AskCaptureName(const QString& proposed) = 0;
    // Runs the setting dialog: true when it ended with OK.
    virtual bool RunSettings(ViewerSettings& settings, SettingDlgHost& host) = 0;
    virtual void Print(CImageView& pane) = 0;
    virtual void OpenUrl(const QUrl& url) = 0;
};

// The real dialogs, owned by `owner`.
class DialogPrompts : public FormPrompts {
public:
    explicit DialogPrompts(QWidget* owner) : owner_(owner) {}

    void Tell(const QString& caption, const QString& text, Icon icon) override;
    bool AskYesNo(const QString& caption, const QString& text) override;
    std::optional<QString> AskCaptureName(const QString& proposed) override;
    bool RunSettings(ViewerSettings& settings, SettingDlgHost& host) override;
    void Print(CImageView& pane) override;
    void OpenUrl(const QUrl& url) override;

private:
    QWidget* owner_;
};

}  // namespace lumora
