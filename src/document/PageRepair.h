#pragma once

#include "document/CatalogPage.h"
#include "document/ItemWriter.h"

namespace pagora {

struct Context;

// Brings a damaged page text back to the standard layout (settings header on lines 0
// to 23, block 1 on line 24, blocks of eleven lines numbered without gaps).

// One pass: moves the block-1 header to line 24, or, when it is there, cleans the
// block area and rebuilds the blocks. Throws UserError when there is no block at all.
void RepairPass(CatalogPage& page, Context& context, const ReloadItems& reloadItems);

// The command "修复 PGT 文件": two passes, a reload of the items and the closing message.
void RepairPageCommand(CatalogPage& page, Context& context, const ReloadItems& reloadItems);

}  // namespace pagora
