# The two everyday commands: `make run` starts the program, `make test` runs
# the tests. Each installs what is missing, configures and builds first.

CMAKE ?= cmake
CTEST ?= ctest

.PHONY: run test deps clean

deps:
	@scripts/instalar-dependencias.sh

run: deps
	@$(CMAKE) --preset dev >/dev/null
	@$(CMAKE) --build --preset dev
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "No hay pantalla gráfica (DISPLAY vacío): Trebolero necesita un escritorio para abrir su ventana."; \
		exit 1; \
	fi
	@build/dev/src/Trebolero

test: deps
	@$(CMAKE) --preset asan >/dev/null
	@$(CMAKE) --build --preset asan
	@QT_QPA_PLATFORM=offscreen $(CTEST) --preset asan

clean:
	rm -rf build
