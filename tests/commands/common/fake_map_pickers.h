#pragma once
// Map pickers for dialog tests: the pickers a test gives answer in place of
// the real ones and are counted; a picker the test did not give fails the
// test when a dialog opens it (and answers nothing).
#include "workspace/dialog_registry.h"

#include <gtest/gtest.h>

#include <optional>

namespace enginetest {

class FakeMapPickers
{
public:
    explicit FakeMapPickers(workspace::MapPickers given)
        : m_given(std::move(given)),
          m_scope({.battle =
                       [this](workspace::EditContext &ctx, const workspace::BattleMapRequest &r)
                           -> std::optional<workspace::BattleMapPick> {
                           return run(m_given.battle, "battle map", ctx, r);
                       },
                   .stage =
                       [this](workspace::EditContext &ctx, const workspace::StageMapRequest &r)
                           -> std::optional<workspace::StageMapPick> {
                           return run(m_given.stage, "story stage", ctx, r);
                       },
                   .world = [this](workspace::EditContext &ctx, const workspace::WorldMapRequest &r)
                       -> std::optional<QPoint> { return run(m_given.world, "world map", ctx, r); }})
    {
    }

    int runs() const { return m_runs; }

private:
    template<class Picker, class Request>
    auto run(const Picker &picker, const char *name, workspace::EditContext &ctx, const Request &r)
        -> decltype(picker(ctx, r))
    {
        if (!picker) {
            ADD_FAILURE() << "the " << name << " picker was opened";
            return std::nullopt;
        }
        ++m_runs;
        return picker(ctx, r);
    }

    workspace::MapPickers m_given;
    int m_runs = 0;
    workspace::ScopedMapPickers m_scope;
};

} // namespace enginetest
