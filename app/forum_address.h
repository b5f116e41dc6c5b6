#pragma once
// The forum's web address: opened when the main window has been created and on
// every click of its hyperlink box, whose WebAddress it also is.

namespace velmora {

inline constexpr char kForumAddress[] = "http://bbs.velmora.cn/";

}  // namespace velmora
