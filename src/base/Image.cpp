#include "base/Image.h"

#include <algorithm>
#include <cmath>

namespace pagora {

RgbImage RgbImage::Blank(int width, int height, uint8_t grey) {
  RgbImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(size_t(width) * size_t(height) * 3, grey);
  return image;
}

namespace {

// Weights of the source samples that make up each target sample along one axis.
struct Tap {
  int first = 0;
  std::vector<float> weights;
};

std::vector<Tap> MakeTaps(int sourceSize, int targetSize) {
  std::vector<Tap> taps(static_cast<size_t>(targetSize));
  const double scale = double(sourceSize) / double(targetSize);
  for (int t = 0; t < targetSize; ++t) {
    Tap& tap = taps[size_t(t)];
    if (scale >= 1.0) {
      // Area average: the target sample covers [t*scale, (t+1)*scale) of the source.
      const double begin = t * scale;
      const double end = std::min<double>(sourceSize, (t + 1) * scale);
      tap.first = int(begin);
      const int last = std::min(sourceSize - 1, int(std::ceil(end)) - 1);
      for (int s = tap.first; s <= last; ++s) {
        const double cover = std::min<double>(end, s + 1) - std::max<double>(begin, s);
        tap.weights.push_back(float(cover / scale));
      }
    } else {
      // Linear interpolation between the two nearest source samples.
      const double centre = (t + 0.5) * scale - 0.5;
      const int left = std::clamp(int(std::floor(centre)), 0, sourceSize - 1);
      const int right = std::min(left + 1, sourceSize - 1);
      const double f = std::clamp(centre - left, 0.0, 1.0);
      tap.first = left;
      tap.weights.push_back(float(1.0 - f));
      if (right != left) tap.weights.push_back(float(f));
    }
  }
  return taps;
}

}  // namespace

RgbImage ResizeImage(const RgbImage& source, int width, int height) {
  if (source.empty() || width <= 0 || height <= 0) return {};
  if (source.width == width && source.height == height) return source;
  const std::vector<Tap> xTaps = MakeTaps(source.width, width);
  const std::vector<Tap> yTaps = MakeTaps(source.height, height);

  // Horizontal pass into floats, then the vertical pass into the target.
  std::vector<float> horizontal(size_t(width) * size_t(source.height) * 3);
  for (int y = 0; y < source.height; ++y) {
    const uint8_t* in = source.Row(y);
    float* out = horizontal.data() + size_t(y) * size_t(width) * 3;
    for (int x = 0; x < width; ++x) {
      const Tap& tap = xTaps[size_t(x)];
      float r = 0, g = 0, b = 0;
      for (size_t i = 0; i < tap.weights.size(); ++i) {
        const uint8_t* p = in + size_t(tap.first + int(i)) * 3;
        r += p[0] * tap.weights[i];
        g += p[1] * tap.weights[i];
        b += p[2] * tap.weights[i];
      }
      out[x * 3] = r;
      out[x * 3 + 1] = g;
      out[x * 3 + 2] = b;
    }
  }
  RgbImage target = RgbImage::Blank(width, height);
  std::vector<float> row(size_t(width) * 3);
  for (int y = 0; y < height; ++y) {
    const Tap& tap = yTaps[size_t(y)];
    std::fill(row.begin(), row.end(), 0.0f);
    for (size_t i = 0; i < tap.weights.size(); ++i) {
      const float* in = horizontal.data() + size_t(tap.first + int(i)) * size_t(width) * 3;
      const float w = tap.weights[i];
      for (size_t j = 0; j < row.size(); ++j) row[j] += in[j] * w;
    }
    uint8_t* out = target.Row(y);
    for (size_t j = 0; j < row.size(); ++j) {
      out[j] = uint8_t(std::clamp(int(row[j] + 0.5f), 0, 255));
    }
  }
  return target;
}

}  // namespace pagora
