// Win32's conversion of code page text to UTF-16, which the music loader's
// object descriptions take.
#include <cstring>
#include <string>

#include "platform/picture/text_encoding.h"
#include "platform/win32/dmusic.h"

int MultiByteToWideChar(UINT codePage, DWORD, const char* source, int sourceLength, WCHAR* dest, int destLength) {
  if (!source || destLength < 0 || (codePage != CP_ACP && codePage != 932)) return 0;
  const bool withZero = sourceLength < 0;
  const int length = withZero ? static_cast<int>(std::strlen(source)) : sourceLength;
  std::u16string wide = EncodeUtf16(DecodeCp932(source, length));
  if (withZero) wide += u'\0';
  const int needed = static_cast<int>(wide.size());
  if (destLength == 0) return needed;
  if (!dest || needed > destLength) return 0;
  std::memcpy(dest, wide.data(), wide.size() * sizeof(WCHAR));
  return needed;
}
