#pragma once
// The fuzz input as an endless stream: the bytes in order, starting again from the first after
// the last (zeros for an empty input). The targets that script a device or fill large records
// draw from it far more bytes than an input holds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

class CyclicBytes {
 public:
  explicit CyclicBytes(std::span<const std::uint8_t> data) : data_(data) {}

  std::uint8_t Next() { return data_.empty() ? 0 : data_[pos_++ % data_.size()]; }

  // The next out.size() bytes, as that many Next() calls give them, copied in runs: a call per
  // byte cost more than everything the target runs with them. Past the first input's worth the
  // output repeats itself, so it is copied from its own start in doubling runs.
  void Fill(std::span<std::byte> out) {
    if (data_.empty()) return std::fill(out.begin(), out.end(), std::byte{0});
    const std::size_t period = data_.size();
    std::size_t done = 0;
    while (done < out.size() && done < period) {
      const std::size_t at = (pos_ + done) % period;
      const std::size_t run = std::min(period - at, out.size() - done);
      std::memcpy(out.data() + done, data_.data() + at, run);
      done += run;
    }
    while (done < out.size()) {
      const std::size_t run = std::min(done / period * period, out.size() - done);
      std::memcpy(out.data() + done, out.data() + done - done / period * period, run);
      done += run;
    }
    pos_ += out.size();
  }
  void Fill(std::span<std::uint8_t> out) { Fill(std::as_writable_bytes(out)); }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};
