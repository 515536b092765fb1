#pragma once

#include "generate/GeneratePage.h"

namespace pagora {

// The deliveries of page generation that this layer writes: the single-file web
// archive (MHT) and the compiled help file (CHM). Packages come with their own writer.
class PageOutputBranches final : public OutputBranches {
 public:
  std::string Deliver(const CatalogPage& page, GeneratedPage& generated, Context& context) override;
};

}  // namespace pagora
