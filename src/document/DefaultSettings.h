#pragma once

#include <string>

#include "base/KeyValueLines.h"

namespace pagora {

// "defaultset.txt": the settings header that every new page starts from, written by
// the page settings dialog when "保存为默认设置" is ticked.

std::string DefaultSettingsPath(const std::string& appDir);

// The values the dialog stores. Empty values are written empty in this file.
struct DefaultSettings {
  std::string number, title, salesman, customerNumber, customerName, customerCompany;
  std::string date, currency, productUnit, weightUnit;
  std::string borderColour, borderMode;  // the open page's own values; the dialog has no rows
  std::string outputFolder, outputMode;
  bool english = false;
  std::string orderEmail, rowHeight, description;
};

// The 21 lines of the file.
Lines DefaultSettingsLines(const DefaultSettings& settings);
void WriteDefaultSettings(const std::string& appDir, const DefaultSettings& settings);

}  // namespace pagora
