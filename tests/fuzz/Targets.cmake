# Every fuzz target once: its name, its source and the libraries it reads
# with. The includer defines glyphox_fuzz_target(name source libs...): the
# fuzz build makes libFuzzer executables of them, the test suite replays each
# target's corpus (tests/fuzz/corpus/<name without "fuzz_">) through the same
# source in the normal and sanitizer builds.
glyphox_fuzz_target(fuzz_config_file ConfigFileFuzzer.cpp glyphox_base)
glyphox_fuzz_target(fuzz_ini_profile IniProfileFuzzer.cpp glyphox_config)
glyphox_fuzz_target(fuzz_language_file LanguageFileFuzzer.cpp glyphox_config)
glyphox_fuzz_target(fuzz_model_file ModelFileFuzzer.cpp glyphox_engine3d)
glyphox_fuzz_target(fuzz_texture_image TextureImageFuzzer.cpp glyphox_engine3d PkgConfig::SDL)
glyphox_fuzz_target(fuzz_level_file LevelFileFuzzer.cpp glyphox_level_tool)
glyphox_fuzz_target(fuzz_level_source LevelSourceFuzzer.cpp glyphox_level_tool)
glyphox_fuzz_target(fuzz_save_file SaveFileFuzzer.cpp glyphox_puzzle)
glyphox_fuzz_target(fuzz_record_order RecordOrderFuzzer.cpp glyphox_puzzle)
glyphox_fuzz_target(fuzz_page_script PageScriptFuzzer.cpp glyphox_page_script)
glyphox_fuzz_target(fuzz_score_file ScoreFileFuzzer.cpp glyphox_ui_logic)
glyphox_fuzz_target(fuzz_module_file ModuleFileFuzzer.cpp glyphox_audio)
glyphox_fuzz_target(fuzz_sample_file SampleFileFuzzer.cpp glyphox_audio)
glyphox_fuzz_target(fuzz_music_score MusicScoreFuzzer.cpp glyphox_audiogen)
glyphox_fuzz_target(fuzz_theme_ini ThemeIniFuzzer.cpp glyphox_render)
