#include <cstdio>

#include "app/cli/CommandOutput.h"
#include "app/cli/Commands.h"
#include "app/cli/RowNames.h"

namespace hastelyn::cli {

int runStatus(CommandContext& context) {
    std::vector<RowView> rows = listRows(context.session.model);
    std::erase_if(rows, [&](const RowView& r) { return !inScope(context.session, r, context.options.scope); });
    if (context.options.json) {
        Json list = Json::array();
        for (const RowView& r : rows)
            list.push(Json::object()
                          .set("row", r.name)
                          .set("ticked", r.row->ticked)
                          .set("enabled", r.row->enabled)
                          .set("label", r.row->label)
                          .set("scope", engine::scopeName(scopeOf(context.session, r))));
        printJson(commandObject("status").set("rows", std::move(list)));
        return 0;
    }
    for (const RowView& r : rows)
        std::printf("%s\t%d\t%d\t%s\n", r.name.c_str(), r.row->ticked ? 1 : 0, r.row->enabled ? 1 : 0, r.row->label.c_str());
    return 0;
}

}  // namespace hastelyn::cli
