# Stricter builds: warnings as errors, sanitizers, checked containers.
option(TESSRIN_WERROR "Treat compiler warnings in our own code as errors (CI)" OFF)
option(TESSRIN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

add_compile_options(-Wall -Wextra)
if(TESSRIN_WERROR)
  # Third-party headers are included as system headers and stay quiet.
  add_compile_options(-Werror)
endif()

if(TESSRIN_SANITIZE)
  # An undefined-behaviour report ends the program, so a test cannot pass
  # over it.
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # Unoptimised code under ASan makes the GUI tests slow; -O1 keeps the stacks
  # readable.
  add_compile_options($<$<CONFIG:Debug>:-O1>)
  # GCC 12 warns about std::function inside <regex> as maybe uninitialised
  # once the sanitizers instrument it (GCC bug 105562); a false alarm there.
  add_compile_options(-Wno-maybe-uninitialized)
endif()

# Every container checks its iterators and its invariants in Debug builds.
# All translation units must agree: safe-mode iterators change the layout.
add_compile_definitions($<$<CONFIG:Debug>:BOOST_MULTI_INDEX_ENABLE_SAFE_MODE>
                        $<$<CONFIG:Debug>:BOOST_MULTI_INDEX_ENABLE_INVARIANT_CHECKING>)
