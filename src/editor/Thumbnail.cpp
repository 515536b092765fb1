#include "editor/Thumbnail.h"

#include <algorithm>
#include <atomic>
#include <cfenv>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "base/ImageCodecs.h"
#include "base/Paths.h"
#include "base/Strings.h"

namespace pagora {
namespace {

Thumbnail Note(const char* text) {
  Thumbnail thumbnail;
  thumbnail.image = std::make_shared<RgbImage>(RgbImage::Blank(148, 80));
  thumbnail.text = text;
  return thumbnail;
}

// Width for the thumbnail height, from the ratio of the cell height to the picture's
// height; halves round to even.
int ScaledWidth(int width, int height) {
  const double exact = double(width) * double(kPictureCellHeight) / double(height);
  return std::max(1, int(std::nearbyint(exact)));
}

Thumbnail Scaled(const RgbImage& decoded, int width) {
  Thumbnail thumbnail;
  thumbnail.image = std::make_shared<RgbImage>(ResizeImage(decoded, width, kThumbnailHeight));
  return thumbnail;
}

}  // namespace

Thumbnail LoadThumbnail(const std::string& path) {
  const std::string extension = ToUpperAscii(ExtensionOf(path));
  try {
    if (extension == ".JPG") {
      // Decoding at n/8 scale skips most of the work; the width still follows the
      // picture's half-scale size, which the file's header gives exactly.
      JpegDecodeOptions options;
      options.minHeight = kThumbnailHeight;
      options.fast = true;
      const JpegDecoded jpeg = DecodeJpegFile(path, options);
      return Scaled(jpeg.image, ScaledWidth((jpeg.fullWidth + 1) / 2, (jpeg.fullHeight + 1) / 2));
    }
    if (extension == ".GIF") {
      const RgbImage gif = DecodeGifFile(path);
      return Scaled(gif, ScaledWidth(gif.width, gif.height));
    }
    if (extension == ".BMP") {
      Thumbnail thumbnail;
      thumbnail.image = std::make_shared<RgbImage>(DecodeBmpFile(path));
      return thumbnail;
    }
  } catch (const ImageDecodeError&) {
    return Note(kPictureBroken);
  } catch (const std::bad_alloc&) {
    return Note(kPictureBroken);
  }
  if (extension == ".PNG") return Note(kPngNotSupported);
  return Note(kFormatNotSupported);
}

void LoadThumbnailsInOrder(const std::vector<std::string>& paths,
                           const std::function<void(size_t, Thumbnail&&)>& ready) {
  if (paths.empty()) return;
  std::vector<std::optional<Thumbnail>> results(paths.size());
  std::mutex mutex;
  std::condition_variable done;
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i = next++; i < paths.size(); i = next++) {
      Thumbnail thumbnail = LoadThumbnail(paths[i]);
      std::lock_guard lock(mutex);
      results[i] = std::move(thumbnail);
      done.notify_one();
    }
  };
  const unsigned workers =
      std::clamp<unsigned>(std::thread::hardware_concurrency(), 1, unsigned(paths.size()));
  std::vector<std::jthread> threads;
  for (unsigned w = 0; w < workers; ++w) threads.emplace_back(work);
  for (size_t i = 0; i < paths.size(); ++i) {
    Thumbnail thumbnail;
    {
      std::unique_lock lock(mutex);
      done.wait(lock, [&] { return results[i].has_value(); });
      thumbnail = std::move(*results[i]);
      results[i].reset();
    }
    ready(i, std::move(thumbnail));
  }
}

}  // namespace pagora
