# The two everyday commands: `make run` starts the program, `make test` runs
# the tests. Each installs what is missing, configures and builds first.

CMAKE ?= cmake
CTEST ?= ctest
# `make install` puts a self-contained copy here: the program keeps its
# settings file beside the executable.
PREFIX ?= $(HOME)/Trebolero

.PHONY: run test install deps deps-test clean demo bench

deps:
	@scripts/instalar-dependencias.sh

# The end-to-end tests run the program on a private X server (Xvfb) and drive
# it with xdotool; libxcb1-dev lets them close windows as a title bar does.
deps-test:
	@scripts/instalar-dependencias.sh xvfb xdotool libxcb1-dev

run: deps
	@$(CMAKE) --preset dev >/dev/null
	@$(CMAKE) --build --preset dev
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "No hay pantalla gráfica (DISPLAY vacío): Trebolero necesita un escritorio para abrir su ventana."; \
		exit 1; \
	fi
	@build/dev/src/Trebolero

test: deps-test
	@$(CMAKE) --preset asan >/dev/null
	@$(CMAKE) --build --preset asan
	@QT_QPA_PLATFORM=offscreen $(CTEST) --preset asan

install: deps
	@$(CMAKE) --preset release -DCMAKE_INSTALL_PREFIX="$(PREFIX)" -DCMAKE_INSTALL_BINDIR=. >/dev/null
	@$(CMAKE) --build --preset release
	@$(CMAKE) --install build/release >/dev/null
	@scripts/registrar-lanzador.sh "$(PREFIX)"

clean:
	rm -rf build

# Starts the program in a scratch folder holding the sample bets and feed, so
# that "Descargar" and "Comprobar" work at once.
demo: deps
	@$(CMAKE) --preset dev >/dev/null
	@$(CMAKE) --build --preset dev
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "No hay pantalla gráfica (DISPLAY vacío): Trebolero necesita un escritorio para abrir su ventana."; \
		exit 1; \
	fi
	@rm -rf build/demo && mkdir -p build/demo
	@cp build/dev/src/Trebolero examples/Trebolero.ini examples/sorteos.rdf build/demo/
	@cd build/demo && ./Trebolero

# The benchmarks at the program's limits (32767 stored bets), on the offscreen
# platform: prints one line per figure and writes build/bench/results.json.
bench: deps
	@$(CMAKE) --preset bench >/dev/null
	@$(CMAKE) --build --preset bench
	@QT_QPA_PLATFORM=offscreen build/bench/bench/trebolero_bench
