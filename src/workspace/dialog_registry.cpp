#include "workspace/dialog_registry.h"

namespace workspace {

namespace {

template<class Map, class Key>
void put(Map &map, const Key &key, DialogFactory factory, DialogKind kind)
{
    auto it = map.find(key);
    if (it != map.end() && it->kind > kind && it->factory)
        return;
    map[key] = DialogRegistry::Entry{std::move(factory), kind};
}

// `base` with every picker that `over` sets put in its place.
MapPickers overlaid(MapPickers base, const MapPickers &over)
{
    if (over.battle)
        base.battle = over.battle;
    if (over.stage)
        base.stage = over.stage;
    if (over.world)
        base.world = over.world;
    return base;
}

} // namespace

DialogRegistry &DialogRegistry::instance()
{
    static DialogRegistry registry;
    return registry;
}

void DialogRegistry::registerDialog(int code, const QString &formName, DialogFactory factory, DialogKind kind)
{
    auto it = m_dialogs.find(code);
    if (it != m_dialogs.end() && it->second.factory && it->second.kind > kind)
        return;
    m_dialogs[code] = Entry{std::move(factory), kind, formName};
}

void DialogRegistry::registerTool(const QString &name, DialogFactory factory, DialogKind kind)
{
    put(m_tools, name, std::move(factory), kind);
}

bool DialogRegistry::hasDialog(int code) const
{
    auto it = m_dialogs.find(code);
    return it != m_dialogs.end() && it->second.factory;
}

bool DialogRegistry::hasTool(const QString &name) const
{
    auto it = m_tools.find(name);
    return it != m_tools.end() && it->factory;
}

DialogKind DialogRegistry::dialogKind(int code) const
{
    auto it = m_dialogs.find(code);
    return it == m_dialogs.end() ? DialogKind::None : it->second.kind;
}

QString DialogRegistry::formName(int code) const
{
    auto it = m_dialogs.find(code);
    return it != m_dialogs.end() && it->second.factory ? it->second.formName : QString();
}

std::vector<int> DialogRegistry::dialogCodes() const
{
    std::vector<int> codes;
    for (const auto &[code, entry] : m_dialogs)
        if (entry.factory)
            codes.push_back(code);
    return codes;
}

std::unique_ptr<QDialog> DialogRegistry::createDialog(int code, EditContext &ctx) const
{
    auto it = m_dialogs.find(code);
    if (it == m_dialogs.end() || !it->second.factory)
        return nullptr;
    return it->second.factory(ctx);
}

std::unique_ptr<QDialog> DialogRegistry::createTool(const QString &name, EditContext &ctx) const
{
    auto it = m_tools.find(name);
    if (it == m_tools.end() || !it->factory)
        return nullptr;
    return it->factory(ctx);
}

bool DialogRegistry::runDialog(int code, EditContext &ctx) const
{
    std::unique_ptr<QDialog> dialog = createDialog(code, ctx);
    if (!dialog)
        return false;
    run(*dialog, ctx);
    return true;
}

bool DialogRegistry::runTool(const QString &name, EditContext &ctx) const
{
    std::unique_ptr<QDialog> dialog = createTool(name, ctx);
    if (!dialog)
        return false;
    run(*dialog, ctx);
    return true;
}

void DialogRegistry::registerMapPickers(const MapPickers &pickers)
{
    m_pickers = overlaid(m_pickers, pickers);
}

MapPickers DialogRegistry::mapPickers() const
{
    return overlaid(m_pickers, m_pickerOverrides);
}

void DialogRegistry::run(QDialog &dialog, EditContext &ctx) const
{
    if (m_runner) {
        // A copy: a runner may replace itself while it runs.
        const DialogRunner runner = m_runner;
        runner(dialog, ctx);
        return;
    }
    dialog.setModal(true);
    dialog.exec();
}

DialogRunner DialogRegistry::setRunner(DialogRunner runner)
{
    DialogRunner previous = std::move(m_runner);
    m_runner = std::move(runner);
    return previous;
}

DialogRegistry::Entry DialogRegistry::dialogEntry(int code) const
{
    auto it = m_dialogs.find(code);
    return it == m_dialogs.end() ? Entry{} : it->second;
}

void DialogRegistry::restoreDialogEntry(int code, Entry entry)
{
    if (entry.factory)
        m_dialogs[code] = std::move(entry);
    else
        m_dialogs.erase(code);
}

DialogRegistry::Entry DialogRegistry::toolEntry(const QString &name) const
{
    return m_tools.value(name);
}

void DialogRegistry::restoreToolEntry(const QString &name, Entry entry)
{
    if (entry.factory)
        m_tools.insert(name, std::move(entry));
    else
        m_tools.remove(name);
}

ScopedDialogRunner::ScopedDialogRunner(DialogRunner runner)
    : m_previous(DialogRegistry::instance().setRunner(std::move(runner)))
{
}

ScopedDialogRunner::~ScopedDialogRunner()
{
    DialogRegistry::instance().setRunner(std::move(m_previous));
}

ScopedDialogOverride::ScopedDialogOverride(int code, DialogFactory factory, const QString &formName)
    : m_code(code), m_previous(DialogRegistry::instance().dialogEntry(code))
{
    DialogRegistry::instance().registerDialog(code, formName.isEmpty() ? m_previous.formName : formName,
                                              std::move(factory), DialogKind::TestOverride);
}

ScopedDialogOverride::ScopedDialogOverride(const QString &tool, DialogFactory factory)
    : m_tool(tool), m_previous(DialogRegistry::instance().toolEntry(tool))
{
    DialogRegistry::instance().registerTool(tool, std::move(factory), DialogKind::TestOverride);
}

ScopedDialogOverride::~ScopedDialogOverride()
{
    if (m_code >= 0)
        DialogRegistry::instance().restoreDialogEntry(m_code, std::move(m_previous));
    else
        DialogRegistry::instance().restoreToolEntry(m_tool, std::move(m_previous));
}

ScopedMapPickers::ScopedMapPickers(const MapPickers &pickers)
    : m_previous(DialogRegistry::instance().mapPickerOverrides())
{
    DialogRegistry::instance().setMapPickerOverrides(overlaid(m_previous, pickers));
}

ScopedMapPickers::~ScopedMapPickers()
{
    DialogRegistry::instance().setMapPickerOverrides(std::move(m_previous));
}

} // namespace workspace
