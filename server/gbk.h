#pragma once
// Text in packets is GBK; the server keeps its texts in UTF-8 and converts at the edge.
#include <string>
#include <string_view>

namespace server {

// Characters that GBK cannot hold are dropped.
std::string toGbk(std::string_view utf8);
// Invalid GBK sequences are dropped.
std::string fromGbk(std::string_view gbk);

}  // namespace server
