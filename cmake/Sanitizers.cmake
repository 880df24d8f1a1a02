# SV_SANITIZE=address,undefined builds everything with ASan and UBSan (halting on
# the first report); SV_SANITIZE=thread builds with TSan.
if(SV_SANITIZE)
  # Line tables are all a sanitizer's report needs; full debug information would cost a
  # quarter of the build.
  set(_sv_flags -fsanitize=${SV_SANITIZE} -fno-omit-frame-pointer -gline-tables-only)
  if(SV_SANITIZE MATCHES "undefined")
    list(APPEND _sv_flags -fno-sanitize-recover=all)
  endif()
  add_compile_options(${_sv_flags})
  add_link_options(-fsanitize=${SV_SANITIZE})
endif()
if(SV_FUZZ_INSTRUMENT)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
