#pragma once
// The one way a map picker is shown: built for the request, shown modally
// through the registry's runner (which tests replace), and asked afterwards
// what was picked.
#include "workspace/dialog_registry.h"

#include <memory>
#include <type_traits>
#include <utility>

namespace pickers {

template<class Picker, class Request>
auto showPicker(workspace::EditContext &ctx, const Request &request)
{
    using Answer = std::remove_cvref_t<decltype(std::declval<const Picker &>().answer())>;
    const std::unique_ptr<Picker> picker = Picker::create(ctx, request);
    if (!picker)
        return Answer();
    workspace::DialogRegistry::instance().run(*picker, ctx);
    return picker->answer();
}

} // namespace pickers
