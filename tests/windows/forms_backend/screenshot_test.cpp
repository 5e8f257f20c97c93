// A screenshot of the sample form, saved when VENTRIX_TEST_OUTPUT names a folder.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/forms/handles.h"
#include "tests/windows/forms_backend/sample_form.h"

namespace ventrix::win32 {
namespace {

// Saves the screen under a window as a 24-bit bottom-up .bmp.
bool SaveWindowImage(HWND window, const std::string& path) {
  RECT place{};
  GetWindowRect(window, &place);
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  std::unique_ptr<std::remove_pointer_t<HDC>, void (*)(HDC)> screen(
      GetDC(nullptr), [](HDC dc) { ReleaseDC(nullptr, dc); });
  std::unique_ptr<std::remove_pointer_t<HDC>, BOOL (*)(HDC)> memory(
      CreateCompatibleDC(screen.get()), [](HDC dc) { return DeleteDC(dc); });
  BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  if (!screen || !memory || !bitmap) return false;
  {
    ui::SelectedObject selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), place.left, place.top, SRCCOPY);
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const int stride = (width * 3 + 3) / 4 * 4;
  std::vector<char> pixels(static_cast<std::size_t>(stride) * height);
  if (GetDIBits(memory.get(), bitmap.get(), 0, height, pixels.data(), &info, DIB_RGB_COLORS) == 0) {
    return false;
  }
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(&header), sizeof(header));
  file.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
  file.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(file);
}

TEST_F(FormsBackendTest, SampleFormScreenshot) {
  const char* output = std::getenv("VENTRIX_TEST_OUTPUT");
  if (output == nullptr) GTEST_SKIP() << "VENTRIX_TEST_OUTPUT is not set";
  CreateDirectoryA(output, nullptr);
  form->Label1.set_caption("Device D: Tray is Ejected.");
  form->Check1.set_value(forms::kChecked);
  form->Combo1.set_list_index(0);
  form->mnuoperations[1].set_enabled(false);
  form->Show();
  SetWindowPos(WindowOf(*form), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  PumpUntil(std::chrono::milliseconds(800), [] { return false; });
  EXPECT_TRUE(SaveWindowImage(WindowOf(*form), std::string(output) + "\\forms_backend_sample.bmp"));
}

}  // namespace
}  // namespace ventrix::win32
