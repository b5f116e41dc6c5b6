#include "ui/markup/default_style_sheet.h"

namespace velmora {

// Rules in the renderer's order; each ends with CR LF.
const char kDefaultStyleSheet[] =
    "body {font-size: 9pt; color:black; font-family:\"宋体\",Verdana}\r\n"
    "p  {font-size: 9pt; color:black; font-family:\"宋体\",Verdana}\r\n"
    "h1 {font-size: 14pt; color:black; font-family:\"宋体\",Verdana; font-weight:bold}\r\n"
    "h2 {font-size: 13pt; color:#ff9900; font-family:\"宋体\",Verdana; font-weight:bold}\r\n"
    "h3 {font-size: 12pt; color:#ff9900; font-family:\"宋体\",Arial; font-weight:bold}\r\n"
    "h4 {font-size: 10pt; color:black; font-family:\"宋体\",Verdana; font-weight:bold}\r\n"
    "h5 {font-size: 9pt; color:#ff9900; font-family:\"宋体\",Verdana; font-weight:bold}\r\n"
    "h6 {font-size: 65%; color:#626262; font-family:\"宋体\",Verdana; font-weight:normal}\r\n"
    "pre {font-size: 9pt; font-family:\"宋体\",\"Courier\"; background-color:#fbedbb}\r\n"
    "code {color:#990000; font-family:\"宋体\",Arial}\r\n"
    "a:link {text-decoration:none; color:blue}\r\n"
    "a:hover {text-decoration:underline; color:blue}\r\n"
    "sub {font-size:65%; vertical-align:bottom}\r\n"
    "sup {font-size:65%; vertical-align:top}\r\n"
    "big {font-size:125%}\r\n"
    "small {font-size:75%}\r\n"
    ".comment {color:green}\r\n";

}  // namespace velmora
