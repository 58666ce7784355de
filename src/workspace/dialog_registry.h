#pragma once
// Command code -> the dialog that edits it, tool name -> the preview window
// a menu item opens, and the three map pickers. The command folders register their
// dialogs when start-up calls their registration (commands::registerAllDialogs),
// so the workspace never includes them. Each dialog is registered with the
// name of its window, the one place that name is held.
//
// Tests replace the runner (which shows a dialog modally) so no dialog
// blocks, and may override single entries; a registration never replaces a
// test's override.
#include "workspace/edit_context.h"
#include "workspace/map_picks.h"

#include <QDialog>
#include <QHash>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace workspace {

// Builds the window afresh for one showing; may return null when there is
// nothing to show (a tool that has already told the user why).
using DialogFactory = std::function<std::unique_ptr<QDialog>(EditContext &ctx)>;
// Shows a built window modally and returns when it has closed.
using DialogRunner = std::function<void(QDialog &dialog, EditContext &ctx)>;

enum class DialogKind { None = 0, Real = 1, TestOverride = 2 };

// The window name of the shared text dialog, which edits eight codes.
inline const QString kSharedTextForm = QStringLiteral("FrmString");

// The windows that menu items open by name.
inline const QString kDuelPreviewTool = QStringLiteral("FrmVSView");
inline const QString kDuelPreviewSpeedTool = QStringLiteral("FrmVSDelay");
inline const QString kVariableListTool = QStringLiteral("FrmVarList");

class DialogRegistry
{
public:
    static DialogRegistry &instance();

    // Registers the dialog of a command code and the name of its window
    // ("FrmCheck4"). A registration of lower kind than the one held is
    // ignored; one of the same kind replaces it, so registering the same
    // dialogs twice leaves the registry as once.
    void registerDialog(int code, const QString &formName, DialogFactory factory,
                        DialogKind kind = DialogKind::Real);
    void registerTool(const QString &name, DialogFactory factory, DialogKind kind = DialogKind::Real);

    bool hasDialog(int code) const;
    bool hasTool(const QString &name) const;
    DialogKind dialogKind(int code) const;  // None when none is registered
    // The window name the code's dialog was registered with; empty when none.
    QString formName(int code) const;
    // Every code with a registered dialog, in order.
    std::vector<int> dialogCodes() const;

    std::unique_ptr<QDialog> createDialog(int code, EditContext &ctx) const;
    std::unique_ptr<QDialog> createTool(const QString &name, EditContext &ctx) const;

    // Builds and shows the dialog of the code; false when none is registered
    // or the factory gave nothing.
    bool runDialog(int code, EditContext &ctx) const;
    bool runTool(const QString &name, EditContext &ctx) const;

    // The map pickers; members left empty keep those registered before.
    void registerMapPickers(const MapPickers &pickers);
    // The pickers in force: a test's stand-in where one is set, else the
    // registered picker.
    MapPickers mapPickers() const;
    // For scoped test stand-ins: the stand-ins held now, and a way to put a
    // set back exactly.
    const MapPickers &mapPickerOverrides() const { return m_pickerOverrides; }
    void setMapPickerOverrides(MapPickers overrides) { m_pickerOverrides = std::move(overrides); }

    // Shows a window through the current runner.
    void run(QDialog &dialog, EditContext &ctx) const;
    // Returns the previous runner; an empty runner restores exec().
    DialogRunner setRunner(DialogRunner runner);

    struct Entry
    {
        DialogFactory factory;
        DialogKind kind = DialogKind::None;
        QString formName;  // dialogs only
    };
    // For scoped test overrides: the entry held now (empty factory if none),
    // and a way to put one back exactly.
    Entry dialogEntry(int code) const;
    void restoreDialogEntry(int code, Entry entry);
    Entry toolEntry(const QString &name) const;
    void restoreToolEntry(const QString &name, Entry entry);

private:
    DialogRegistry() = default;

    std::map<int, Entry> m_dialogs;
    QHash<QString, Entry> m_tools;
    MapPickers m_pickers;
    MapPickers m_pickerOverrides;
    DialogRunner m_runner;
};

// Test hook: replaces the runner for the scope.
class ScopedDialogRunner
{
public:
    explicit ScopedDialogRunner(DialogRunner runner);
    ~ScopedDialogRunner();
    ScopedDialogRunner(const ScopedDialogRunner &) = delete;
    ScopedDialogRunner &operator=(const ScopedDialogRunner &) = delete;

private:
    DialogRunner m_previous;
};

// Test hook: replaces the dialog of one code (or one tool) for the scope.
// The code keeps the window name it was registered with unless `formName`
// gives another.
class ScopedDialogOverride
{
public:
    ScopedDialogOverride(int code, DialogFactory factory, const QString &formName = QString());
    ScopedDialogOverride(const QString &tool, DialogFactory factory);
    ~ScopedDialogOverride();
    ScopedDialogOverride(const ScopedDialogOverride &) = delete;
    ScopedDialogOverride &operator=(const ScopedDialogOverride &) = delete;

private:
    int m_code = -1;
    QString m_tool;
    DialogRegistry::Entry m_previous;
};

// Test hook: stands in the given pickers (the non-empty members) for the
// scope.
class ScopedMapPickers
{
public:
    explicit ScopedMapPickers(const MapPickers &pickers);
    ~ScopedMapPickers();
    ScopedMapPickers(const ScopedMapPickers &) = delete;
    ScopedMapPickers &operator=(const ScopedMapPickers &) = delete;

private:
    MapPickers m_previous;
};

} // namespace workspace
