#pragma once
// A small scenario document with an edit context, a game folder with battle
// maps, and a runner that works a picker window while it is shown.
#include "core/captions.h"
#include "core/key_serial.h"
#include "fixtures/game_folder_builder.h"
#include "fixtures/nested_length_check.h"
#include "fixtures/picker_fixtures.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_context.h"

#include <QDialog>

#include <functional>
#include <vector>

namespace pickertest {

struct EditRecord
{
    core::NodeId node;
    QString oldKey, oldCaption, newKey, newCaption;
};

struct PickerDocument
{
    core::DocTree tree;
    fixtures::SectionNodes sec;
    core::NodeId scene = core::kNoNode;
    core::KeySerial serial = 1;
    int marks = 0;
    std::vector<EditRecord> records;
    workspace::EditContext ctx{tree};

    PickerDocument()
    {
        scene = fixtures::addScenarioRoot(tree);
        sec = fixtures::addSection(tree, scene, 0);
        ctx.keySerial = &serial;
        ctx.markModified = [this] { ++marks; };
        ctx.recordEdit = [this](core::NodeId n, const QString &ok, const QString &oc, const QString &nk,
                                const QString &nc) { records.push_back({n, ok, oc, nk, nc}); };
    }

    core::NodeId add(const QString &record, core::NodeId relative = core::kNoNode,
                     core::Relation where = core::Relation::Before)
    {
        const QString key = core::serialKey(record, u"", serial++);
        return tree.add(relative != core::kNoNode ? relative : sec.bodyEnd, where, key,
                        core::commandCaption(key, core::CaptionSite::Creation, false, {}));
    }
    core::NodeId add(int code, std::initializer_list<fixtures::KeyField> fields = {})
    {
        return add(fixtures::PickerRecord(code, fields));
    }
    // A background naming battle map `number` (kind 3).
    core::NodeId addBattleMap(int number, int kind = 3)
    {
        return add(0x27, {{9, 2, kind}, {41, 2, number}});
    }
    // A second Scene with one Section; the end node of its body.
    core::NodeId addSecondScene()
    {
        const core::NodeId s = fixtures::addScene(tree, 1);
        return fixtures::addSection(tree, s, 0).bodyEnd;
    }
};

// Shows windows through the registry's runner for the scope and lets `act`
// work each while it is shown; a window `act` left open is closed without
// a choice.
struct ScopedPickerRun
{
    explicit ScopedPickerRun(std::function<void(QDialog &)> act)
        : runner([act = std::move(act)](QDialog &d, workspace::EditContext &) {
              d.show();
              act(d);
              if (d.isVisible())
                  d.reject();
          })
    {
    }
    workspace::ScopedDialogRunner runner;
};

// Runs a picker (its static pick function) on the request and returns its
// answer.
template<class PickFunction, class Request>
auto runPicker(PickFunction pick, workspace::EditContext &ctx, const Request &request,
               const std::function<void(QDialog &)> &act)
{
    ScopedPickerRun run(act);
    return pick(ctx, request);
}

} // namespace pickertest
