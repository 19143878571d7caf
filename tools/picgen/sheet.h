#pragma once
// Contact sheets: the written pictures read back from their files and laid out at
// natural size with their ids or names under them, animations frame by frame.
#include <string>

namespace picgen {

int writeSheets(const std::string& folder, const std::string& resourcesPng,
                const std::string& designsPng);

}  // namespace picgen
