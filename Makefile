# The two everyday commands: `make run` starts the program, `make test` runs
# the tests. Each installs what is missing, configures and builds first.

CMAKE ?= cmake
CTEST ?= ctest
# `make install` puts a self-contained copy here: the program keeps its
# settings file beside the executable.
PREFIX ?= $(HOME)/Trebolero

.PHONY: run test install deps deps-test build-dev pantalla clean demo bench fuzz

deps:
	@scripts/instalar-dependencias.sh

# The end-to-end tests run the program on a private X server (xvfb-run, which
# needs xauth) and drive it with xdotool; libxcb1-dev lets them close windows
# as a title bar does.
deps-test:
	@scripts/instalar-dependencias.sh xvfb xauth xdotool libxcb1-dev

build-dev: deps
	@$(CMAKE) --preset dev >/dev/null
	@$(CMAKE) --build --preset dev

# The program needs a graphical desktop; without one, say so in one line.
pantalla:
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "No hay pantalla gráfica (DISPLAY vacío): Trebolero necesita un escritorio para abrir su ventana."; \
		exit 1; \
	fi

# The display is checked first, so that its message comes before any install.
run: pantalla
	@$(MAKE) --no-print-directory build-dev
	@build/dev/src/Trebolero

test: deps-test
	@$(CMAKE) --preset asan >/dev/null
	@$(CMAKE) --build --preset asan
	@QT_QPA_PLATFORM=offscreen $(CTEST) --preset asan

install: deps
	@$(CMAKE) --preset release -DCMAKE_INSTALL_PREFIX="$(PREFIX)" -DCMAKE_INSTALL_BINDIR=. >/dev/null
	@$(CMAKE) --build --preset release
	@$(CMAKE) --install build/release >/dev/null
	@"$(PREFIX)/registrar-lanzador.sh"

clean:
	rm -rf build

# Starts the program in a scratch folder holding the sample bets and feed, so
# that "Descargar" and "Comprobar" work at once.
demo: pantalla
	@$(MAKE) --no-print-directory build-dev
	@rm -rf build/demo && mkdir -p build/demo
	@cp build/dev/src/Trebolero examples/Trebolero.ini examples/sorteos.rdf build/demo/
	@cd build/demo && ./Trebolero

# The benchmarks at the program's limits (32767 stored bets), on the offscreen
# platform: prints one line per figure and writes build/bench/results.json.
bench: deps
	@$(CMAKE) --preset bench >/dev/null
	@$(CMAKE) --build --preset bench
	@QT_QPA_PLATFORM=offscreen build/bench/bench/trebolero_bench

# `make fuzz` runs the libFuzzer target of the settings document for
# FUZZ_SEGUNDOS seconds, starting from its seeds in tests/fuzz/semillas/ini.
# What it learns stays in build/fuzz/corpus; an input that breaks it lands in
# build/fuzz/hallazgos.
FUZZ_SEGUNDOS ?= 60

fuzz:
	@scripts/instalar-dependencias.sh clang libclang-rt-14-dev
	@$(CMAKE) --preset fuzz >/dev/null
	@$(CMAKE) --build --preset fuzz --target fuzz_ini
	@mkdir -p build/fuzz/hallazgos build/fuzz/corpus
	@echo "== fuzz_ini: $(FUZZ_SEGUNDOS) s"
	@if build/fuzz/tests/fuzz/fuzz_ini -max_total_time=$(FUZZ_SEGUNDOS) -timeout=10 \
		-print_final_stats=1 -artifact_prefix=build/fuzz/hallazgos/ini- \
		build/fuzz/corpus tests/fuzz/semillas/ini >build/fuzz/ini.log 2>&1; \
	then grep -E '^(Done|stat::(number_of_executed_units|new_units_added|peak_rss_mb))' build/fuzz/ini.log; \
	else tail -n 40 build/fuzz/ini.log; exit 1; fi
