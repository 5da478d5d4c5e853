# The two commands a new user types: `make demo` (the main job) and `make test`.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: all bootstrap configure build demo test sanitize clean

all: build

bootstrap:
	@./scripts/bootstrap

configure: bootstrap
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

demo: build
	@./scripts/demo $(BUILD)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# The tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	@$(MAKE) --no-print-directory test BUILD=build-sanitize CMAKE_FLAGS=-DVANTORA_SANITIZE=ON

clean:
	rm -rf $(BUILD) build-sanitize
