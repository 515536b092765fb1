#pragma once

#include <string>

#include "document/CatalogPage.h"
#include "generate/OutputRequest.h"
#include "generate/SettingsCheck.h"

namespace pagora {

struct Context;
class Ui;

// A page made into HTML and about to be delivered: what the branches of the output
// layer (MHT, CHM, package) need.
struct GeneratedPage {
  OutputMode mode = OutputMode::Zip;
  Lines html;              // every line is written with CR LF, in the code page
  CopyList copies;         // pictures and sounds the page uses
  std::string number;      // {Catalog编号}: names the output files
  std::string outFolder;   // OUT, with a trailing "/"
  std::string pageDir;     // OUT + NUMBER + "/", or the book's folder for a page of a book
  std::string imagesDir;   // where the copies went, with a trailing "/"
  std::string baseFolder;  // given by a book's output, or empty
};

// The deliveries written by the output layer. GeneratePage hands a page to it for the
// modes Mht, Chm, Package and PackageSource.
class OutputBranches {
 public:
  virtual ~OutputBranches() = default;
  // Returns the path of the produced file or folder, or empty when nothing was made.
  virtual std::string Deliver(const CatalogPage& page, GeneratedPage& generated,
                              Context& context) = 0;
};

struct PageGenerationRequest {
  PageOutputRequest request = PageOutputRequest::FromSettings;
  bool openFolder = false;  // show the page folder in the file browser afterwards
  std::string baseFolder;   // a book's folder: pictures go to its images/ folder
};

// Deletes the files below PAGEDIR/images, then the folder when it is empty: what the
// single-file outputs do once the pictures are inside them.
void RemovePagePictures(const std::string& pageDir);

// The progress of writing a ZIP archive, shown in the progress panel.
void ZipProgress(Ui& ui, int percent);

// Turns the page into one HTML document and delivers it. Returns the produced file,
// or empty when the settings check refused or nothing was made. `check` receives the
// settings check's answer (the line to show after a refusal).
std::string GeneratePage(const CatalogPage& page, ItemNumbers& numbers, Context& context,
                         const PageGenerationRequest& request, OutputBranches* branches = nullptr,
                         SettingsCheckResult* check = nullptr);

// The page as the output layer sees it after the settings check: head, item tables and
// foot, with the copies, but before any delivery (no folder is made, nothing written).
GeneratedPage ComposePage(const CatalogPage& page, Context& context, OutputMode mode,
                          const std::string& baseFolder, bool forceChinese);

}  // namespace pagora
