// Times the About dialog's fade over the real pictures: computing its 99 frames, and drawing
// the first picture and the frames on a shown window as the dialog does. With --frame, also
// writes one frame as a 24-bit BMP file, to look at what the fade shows half way.
//
//   trelvix_bench_fade RESOURCE_DIR [rounds] [--frame K FILE]     (default 20 rounds)

#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Bitmaps.h"
#include "platform/win32/Win32Host.h"
#include "fakes/Fakes.h"
#include "toolkit/Application.h"
#include "tools/CrossFade.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Figures {
    double median, fastest, slowest;
};

Figures Time(int rounds, const std::function<void()>& work) {
    work();
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front(), ms.back()};
}

void Print(const char* what, const Figures& f) {
    std::printf("%-28s median %.3f ms   fastest %.3f ms   slowest %.3f ms\n", what, f.median,
                f.fastest, f.slowest);
}

port::RgbPixels Load(const std::string& folder, const char* file) {
    std::string reason;
    auto image = win32::Win32Bitmaps().LoadFile(folder + "\\" + file, reason);
    if (image == nullptr) {
        std::fprintf(stderr, "%s: %s\n", file, reason.c_str());
        std::exit(1);
    }
    return image->Pixels();
}

// A bottom-up 24-bit BMP, rows padded to whole DWORDs.
bool WriteBmp(const std::string& path, const port::RgbPixels& p) {
    const auto rowBytes = static_cast<size_t>(p.width) * 3;
    const size_t stride = (rowBytes + 3) & ~size_t{3};
    std::string data;
    for (int y = p.height - 1; y >= 0; --y) {
        data.append(reinterpret_cast<const char*>(p.bytes.data()) + y * rowBytes, rowBytes);
        data.append(stride - rowBytes, '\0');
    }
    const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(54 + data.size()), 0, 0, 54};
    const BITMAPINFOHEADER info{
        sizeof info, p.width, p.height, 1, 24, BI_RGB, static_cast<DWORD>(data.size()), 0, 0, 0, 0};
    std::ofstream out(std::filesystem::path(win32::Widen(path)), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out << data;
    return static_cast<bool>(out.flush());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: trelvix_bench_fade RESOURCE_DIR [rounds] [--frame K FILE]\n");
        return 2;
    }
    const std::string folder = argv[1];
    int rounds = 20;
    int frame = -1;
    std::string frameFile;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--frame") == 0 && i + 2 < argc) {
            frame = std::atoi(argv[i + 1]);
            frameFile = argv[i + 2];
            i += 2;
        } else {
            rounds = std::max(1, std::atoi(argv[i]));
        }
    }

    port::RgbPixels p = Load(folder, "about0.bmp"), q = Load(folder, "about1.bmp");
    std::printf("about0.bmp %d x %d, about1.bmp %d x %d", p.width, p.height, q.width, q.height);
    trelvix::CropToCommonSize(p, q);
    std::printf(", faded on %d x %d; %d rounds each\n", p.width, p.height, rounds);
    if (frame >= 0) {
        if (!WriteBmp(frameFile, trelvix::FadeFrame(p, q, frame))) {
            std::fprintf(stderr, "cannot write %s\n", frameFile.c_str());
            return 1;
        }
        std::printf("frame %d written to %s\n", frame, frameFile.c_str());
    }

    Print("99 frames computed", Time(rounds, [&] {
              for (int k = 1; k <= trelvix::FadeFrames; ++k)
                  static_cast<void>(trelvix::FadeFrame(p, q, k));
          }));

    fakes::FakeDesktop desktop;
    win32::Win32Host host;
    tk::Application app(desktop, "bench");
    app.SetHost(&host);
    tk::Form form(app, "Fade", 100);
    form.SetCaption("Fade");
    form.SetClientSize(120, 110);
    app.CreateForm(form);
    form.SetVisible(true);
    host.ProcessMessages();
    Print("first picture + 99 drawn", Time(rounds, [&] {
              form.DrawPicture(p, 13, 5);
              for (int k = 1; k <= trelvix::FadeFrames; ++k)
                  form.DrawPicture(trelvix::FadeFrame(p, q, k), 13, 5);
          }));
    return 0;
}
