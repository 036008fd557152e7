ardour {
	["type"]    = "dsp",
	name        = "Talon Test Source",
	category    = "Utility",
	license     = "MIT",
	author      = "Mirevox",
	description = "A constant level on each channel, set by its two controls"
}

function dsp_ioconfig ()
	return { { audio_in = 2, audio_out = 2 } }
end

function dsp_params ()
	return {
		{ ["type"] = "input", name = "Left", min = -1, max = 1, default = 0 },
		{ ["type"] = "input", name = "Right", min = -1, max = 1, default = 0 },
	}
end

function dsp_run (ins, outs, n_samples)
	local ctrl = CtrlPorts:array ()
	for c = 1, 2 do
		local samples = outs[c]:array ()
		for i = 1, n_samples do samples[i] = ctrl[c] end
	end
end
