#pragma once
// The system's texts are GBK bytes held in std::string. This header converts them to and from
// the two other encodings the program meets: Qt's QString at the widget boundary and the UTF-8
// byte names of Linux files at the file-system boundary.
#include <QString>
#include <string>
#include <string_view>

namespace qh {

// Widget boundary. GB18030 both ways: byte-identical to GBK for every GBK character, and it
// reaches every Unicode character, so nothing typed is lost. Code-page 936's lone 0x80 (the
// euro sign) decodes as U+20AC, and U+20AC encodes as 0x80, one byte as in code page 936.
// A lone surrogate encodes as "?"; bytes that are not GBK decode as U+FFFD. The code a file name
// holds for a character no Windows name can (hostNameToGbk) shows readably: "\" as "＼", a line
// break as "␊"; the code of a byte that is not UTF-8 shows as U+FFFD.
std::string toGbk(QStringView text);
QString fromGbk(std::string_view gbk);

// A source literal (UTF-8) as system text. Callers keep the result in a static so each
// literal is converted once.
std::string gbk(std::string_view utf8Literal);

// File-system boundary, lossless in both directions:
//   hostNameToGbk(gbkToHostName(x)) == x for every text produced by hostNameToGbk, and
//   gbkToHostName(hostNameToGbk(n)) == n for every host byte string n.
// A name's bytes that are not UTF-8, and its characters that no Windows name holds
// (isForbiddenInWindowsName: "\", ":", a line break...), become four-byte codes no character
// has, so the text is one Windows name of whole characters. Malformed GBK that hostNameToGbk did
// not produce passes into the name byte for byte (a lone 0x80 still means the euro sign), and so
// does such a character written as itself.
// The scheme is documented beside the implementation.
std::string hostNameToGbk(std::string_view hostName);
std::string gbkToHostName(std::string_view gbk);

}  // namespace qh
