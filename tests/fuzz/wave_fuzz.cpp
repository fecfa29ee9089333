// The WAV reader, as the sound loader drives it, on any bytes.
#include <vector>

#include "fuzz_file.h"
#include "sound/wave_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = FuzzFile(data, size);
  WaveReader reader{};
  if (SUCCEEDED(OpenWave(&reader, path.c_str()))) {
    // Never more sound than bytes in the file.
    if (reader.dataChunk.cksize > size) std::abort();
    std::vector<BYTE> out(reader.dataChunk.cksize);
    UINT got = 0;
    // In two pieces, as a locked buffer may come in two regions.
    const UINT first = static_cast<UINT>(out.size() / 3);
    ReadWaveData(&reader, first, out.data(), &got);
    ReadWaveData(&reader, static_cast<UINT>(out.size()) - first, out.data() + first, &got);
  }
  CloseWave(&reader);
  return 0;
}
