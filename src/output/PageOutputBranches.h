#pragma once

#include "generate/GeneratePage.h"

namespace pagora {

// The deliveries of page generation that this layer writes: the single-file web
// archive (MHT), the compiled help file (CHM) and the package (.pga).
class PageOutputBranches final : public OutputBranches {
 public:
  std::string Deliver(const CatalogPage& page, GeneratedPage& generated, Context& context) override;
};

}  // namespace pagora
