#include "bench_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

DiscardBuffer::int_type DiscardBuffer::overflow(int_type c) {
  dropped_ += static_cast<size_t>(pptr() - pbase());
  setp(buffer_, buffer_ + sizeof buffer_);
  if (!traits_type::eq_int_type(c, traits_type::eof())) ++dropped_;
  return traits_type::not_eof(c);
}

int DiscardBuffer::sync() {
  dropped_ += static_cast<size_t>(pptr() - pbase());
  setp(buffer_, buffer_ + sizeof buffer_);
  ++syncs_;
  return 0;
}

const std::string& shippedStoryText() {
  static const std::string text = [] {
    std::ifstream file(DERELICT_SHIPPED_STORY, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    if (!file || content.str().empty()) {
      std::fprintf(stderr, "cannot read the shipped story %s\n", DERELICT_SHIPPED_STORY);
      std::exit(1);
    }
    return content.str();
  }();
  return text;
}
