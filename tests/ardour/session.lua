-- Ardour's Lua session tool builds a throw-away session on its dummy backend and runs each
-- plug-in on a stereo bus of its own, between a source of two known levels and a probe. The
-- probe's samples must be the effect's formula, out = (own - k x opposite) x gain with
-- k = 0.25 x expansion + 0.25, for the parameters set; they are read back from the plug-in too.
-- Usage: ardour-lua session.lua SESSION_DIR LV2_URI VST_ID

local session_dir, lv2_uri, vst_id = arg[1], arg[2], arg[3]
local kRate = 48000
local kCycles = 8          -- process cycles to wait for, once the controls are set
local kTimeoutMs = 10000
local kTolerance = 1e-5    -- relative, for single-precision samples and controls

local function fail (...) error (string.format (...), 0) end

local function near (actual, expected)
	return math.abs (actual - expected) <= kTolerance * math.max (1, math.abs (expected))
end

local function add (route, proc, index, what)
	if proc:isnil () then fail ("%s: Ardour could not make it", what) end
	if route:add_processor_by_index (proc, index, nil, true) ~= 0 then
		fail ("%s: Ardour did not add it", what)
	end
end

local function set_controls (proc, values, what)
	for i, value in ipairs (values) do
		if not ARDOUR.LuaAPI.set_processor_param (proc, i - 1, value) then
			fail ("%s: control %d not set", what, i - 1)
		end
	end
end

-- What the probe kept, once enough cycles have run since the controls were set.
local function probe_samples (probe, what)
	local kept = probe:to_insert ():plugin (0):to_luaproc ():shmem ():to_float (0):array ()
	local before = kept[5]
	if not ARDOUR.LuaAPI.wait_for_process_callback (kCycles, kTimeoutMs) then
		fail ("%s: the engine ran no process cycles", what)
	end
	sleep (0.1)
	if kept[5] < before + kCycles then fail ("%s: the bus was not processed", what) end
	return kept
end

local function check (case)
	local bus = Session:new_audio_route (2, 2, nil, 1, case.name,
		ARDOUR.PresentationInfo.Flag.AudioBus, ARDOUR.PresentationInfo.max_order):front ()
	local source = ARDOUR.LuaAPI.new_luaproc (Session, "Talon Test Source", "source")
	local plugin = ARDOUR.LuaAPI.new_plugin (Session, case.id, case.type, "")
	local probe = ARDOUR.LuaAPI.new_luaproc (Session, "Talon Test Probe", "probe")
	add (bus, source, 0, "the source")
	add (bus, plugin, 1, case.name)
	add (bus, probe, 2, "the probe")
	set_controls (source, case.input, "the source")
	set_controls (plugin, case.controls, case.name)

	for i, value in ipairs (case.controls) do
		local read = ARDOUR.LuaAPI.get_processor_param (plugin, i - 1, true)
		if not near (read, value) then
			fail ("%s: control %d reads back %.7g, set %.7g", case.name, i - 1, read, value)
		end
	end
	local k, gain = case.k, case.gain
	local left, right = case.input[1], case.input[2]
	local expected = { (left - k * right) * gain, (right - k * left) * gain }
	local kept = probe_samples (probe, case.name)
	for c = 1, 2 do
		print (string.format ("%s channel %d: in %.4f, out %.7f, expected %.7f (last %.7f)",
			case.name, c, case.input[c], kept[c], expected[c], kept[c + 2]))
		if not (near (kept[c], expected[c]) and near (kept[c + 2], expected[c])) then
			fail ("%s: channel %d gives %.7g, expected %.7g", case.name, c, kept[c], expected[c])
		end
	end
end

if AudioEngine:set_backend ("None (Dummy)", "", ""):isnil () then
	fail ("Ardour has no dummy backend")
end
if not create_session (session_dir, "talon", kRate) then fail ("no session made") end

-- The LV2's controls are in the units of its ports: percent and decibels.
check { name = "LV2", id = lv2_uri, type = ARDOUR.PluginType.LV2,
	input = { 0.5, -0.25 }, controls = { 80, 1.5 },
	k = 0.25 * 0.8 + 0.25, gain = 10 ^ (1.5 / 20) }
-- The VST's parameters are 0..1; the gain is twice the output parameter.
check { name = "Linux VST", id = vst_id, type = ARDOUR.PluginType.LXVST,
	input = { -0.4, 0.6 }, controls = { 0.3, 0.75 },
	k = 0.25 * 0.3 + 0.25, gain = 2 * 0.75 }

close_session ()
print ("both plug-ins processed as the formula says")
